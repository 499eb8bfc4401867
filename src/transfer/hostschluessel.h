#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// An SSH server's public key as it travels: the key blob, which names its type first.
struct Hostschluessel {
    QByteArray typ; // "ssh-ed25519", "ecdsa-sha2-nistp256", ...
    QByteArray blob;

    bool operator==(const Hostschluessel&) const = default;
};

// The blob with the type it names itself; an empty typ when the blob names none.
Hostschluessel hostschluesselAus(const QByteArray& blob);

// The fingerprint as OpenSSH prints it: "SHA256:" and the unpadded base64 of the blob's hash.
QString fingerabdruck(const Hostschluessel& schluessel);

// "ED25519", "ECDSA", "RSA": the key's kind as OpenSSH names it to the user.
QString schluesselart(const Hostschluessel& schluessel);

// How a server is named in known_hosts: "host" on port 22, "[host]:port" elsewhere.
QString knownHostsName(const QString& host, int port);

// The line that makes the key known: "name type base64".
QByteArray knownHostsZeile(const QString& host, int port, const Hostschluessel& schluessel);

// Every key the known_hosts files hold for host on port, in order: plain,
// "[host]:port", wildcard and negated patterns, and hashed ("|1|salt|hash")
// entries. Lines with a marker (@cert-authority, @revoked) are left out.
QList<Hostschluessel> bekannteSchluessel(const QStringList& dateien, const QString& host, int port);

enum class Schluesselpruefung {
    Bekannt,
    Unbekannt, // no stored key of this type for the server
    Geaendert, // a key of this type is stored for the server, and it is another one
};

// The server's key against the stored ones; with Geaendert, gespeichert gets the stored key.
Schluesselpruefung schluesselPruefen(
    const QList<Hostschluessel>& bekannte, const Hostschluessel& gefunden, Hostschluessel* gespeichert = nullptr);
