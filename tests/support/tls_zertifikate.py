"""Certificates for the TLS tests, made fresh into one folder.

ca.pem           the test's own certificate authority (what the client is told to trust)
server.pem       for 127.0.0.1 and localhost, signed by that authority
fremder-name.pem for another host name, signed by that authority
unbekannt.pem    for 127.0.0.1, signed by an authority nobody trusts
abgelaufen.pem   for 127.0.0.1, signed by that authority, expired yesterday
unbekannt-abgelaufen.pem  for 127.0.0.1, signed by the authority nobody trusts, expired yesterday
ca-ordner/       the authority once more, as OpenSSL looks it up in a folder (by its hash)

Every server file holds the certificate followed by its key. Needs Debian's
python3-openssl (run with /usr/bin/python3).
"""
import datetime
import ipaddress
import os
import sys

from cryptography import x509
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from cryptography.x509.oid import NameOID
from OpenSSL import crypto

TAG = datetime.timedelta(days=1)


def name(text):
    return x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, text)])


def stelle(titel):
    schluessel = ec.generate_private_key(ec.SECP256R1())
    jetzt = datetime.datetime.now(datetime.timezone.utc)
    zertifikat = (
        x509.CertificateBuilder()
        .subject_name(name(titel))
        .issuer_name(name(titel))
        .public_key(schluessel.public_key())
        .serial_number(x509.random_serial_number())
        .not_valid_before(jetzt - TAG)
        .not_valid_after(jetzt + 30 * TAG)
        .add_extension(x509.BasicConstraints(ca=True, path_length=None), critical=True)
        .add_extension(
            x509.KeyUsage(False, False, False, False, False, True, True, False, False), critical=True)
        .sign(schluessel, hashes.SHA256())
    )
    return zertifikat, schluessel


def fuer(stelle_, hosts, abgelaufen=False):
    ca, ca_schluessel = stelle_
    schluessel = ec.generate_private_key(ec.SECP256R1())
    jetzt = datetime.datetime.now(datetime.timezone.utc)
    beginn, ende = (jetzt - 30 * TAG, jetzt - TAG) if abgelaufen else (jetzt - TAG, jetzt + 30 * TAG)
    namen = []
    for host in hosts:
        try:
            namen.append(x509.IPAddress(ipaddress.ip_address(host)))
        except ValueError:
            namen.append(x509.DNSName(host))
    zertifikat = (
        x509.CertificateBuilder()
        .subject_name(name(hosts[0]))
        .issuer_name(ca.subject)
        .public_key(schluessel.public_key())
        .serial_number(x509.random_serial_number())
        .not_valid_before(beginn)
        .not_valid_after(ende)
        .add_extension(x509.SubjectAlternativeName(namen), critical=False)
        .add_extension(x509.BasicConstraints(ca=False, path_length=None), critical=True)
        .add_extension(x509.ExtendedKeyUsage([x509.oid.ExtendedKeyUsageOID.SERVER_AUTH]), critical=False)
        .sign(ca_schluessel, hashes.SHA256())
    )
    return zertifikat, schluessel


def pem(zertifikat, schluessel=None):
    daten = zertifikat.public_bytes(serialization.Encoding.PEM)
    if schluessel is not None:
        daten += schluessel.private_bytes(
            serialization.Encoding.PEM, serialization.PrivateFormat.PKCS8, serialization.NoEncryption())
    return daten


def main():
    ordner = sys.argv[1]
    os.makedirs(ordner, exist_ok=True)
    eigene = stelle("Fotoschicker Test-CA")
    fremde = stelle("Niemandes CA")
    hier = ["127.0.0.1", "localhost"]
    dateien = {
        "ca.pem": pem(eigene[0]),
        "server.pem": pem(*fuer(eigene, hier)),
        "fremder-name.pem": pem(*fuer(eigene, ["anderer.example"])),
        "unbekannt.pem": pem(*fuer(fremde, hier)),
        "abgelaufen.pem": pem(*fuer(eigene, hier, abgelaufen=True)),
        "unbekannt-abgelaufen.pem": pem(*fuer(fremde, hier, abgelaufen=True)),
    }
    for datei, inhalt in dateien.items():
        with open(os.path.join(ordner, datei), "wb") as f:
            f.write(inhalt)
    os.makedirs(os.path.join(ordner, "ca-ordner"), exist_ok=True)
    kennung = crypto.X509.from_cryptography(eigene[0]).subject_name_hash()
    with open(os.path.join(ordner, "ca-ordner", "%08x.0" % kennung), "wb") as f:
        f.write(dateien["ca.pem"])


if __name__ == "__main__":
    sys.exit(main())
