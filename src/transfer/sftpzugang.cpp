#include "transfer/sftpzugang.h"

#include "settings/optionen.h"
#include "transfer/curlsetzen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
const QString crlf = QStringLiteral("\r\n");

QString schluesseldatei(const QString& name)
{
    return QDir::homePath() + QStringLiteral("/.ssh/") + name;
}

QString beschreibung(const Hostschluessel& schluessel)
{
    return fingerabdruck(schluessel) + QStringLiteral(" (") + schluesselart(schluessel) + QStringLiteral("-Schlüssel)");
}

QStringList knownHostsDateien()
{
    return { schluesseldatei(QStringLiteral("known_hosts")), eigeneKnownHosts() };
}
} // namespace

SftpZugang::SftpZugang(const FtpServerangabe& server, const Optionen& optionen)
    : m_host(server.host)
    , m_passwort(optionen.FTPPassword)
{
    bool zahl = false;
    const int port = server.port.toInt(&zahl);
    if (zahl)
        m_port = port;
    m_anzeigename = server.port.isEmpty() ? m_host : m_host + u':' + server.port;

    if (!qEnvironmentVariableIsEmpty("SSH_AUTH_SOCK"))
        m_anmeldungen.append(Anmeldung{ CURLSSH_AUTH_AGENT, {} });
    for (const char* name : { "id_ed25519", "id_ecdsa", "id_rsa" }) {
        const QString datei = schluesseldatei(QString::fromLatin1(name));
        if (QFileInfo(datei).isFile())
            m_anmeldungen.append(Anmeldung{ CURLSSH_AUTH_PUBLICKEY, datei });
    }
    if (!m_passwort.isEmpty() || m_anmeldungen.isEmpty())
        m_anmeldungen.append(
            Anmeldung{ m_passwort.isEmpty() ? CURLSSH_AUTH_NONE : CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD, {} });

    m_bekannte = bekannteSchluessel(knownHostsDateien(), m_host, m_port);
    if (m_fuerLibcurl.open()) {
        for (const Hostschluessel& schluessel : std::as_const(m_bekannte))
            m_fuerLibcurl.write(knownHostsZeile(m_host, m_port, schluessel) + '\n');
        m_fuerLibcurl.flush();
    }
}

bool SftpZugang::einstellen(CURL* handle, qsizetype anmeldung)
{
    const Anmeldung& art = m_anmeldungen.at(anmeldung);
    m_pruefung = Schluesselpruefung::Bekannt;
    const QByteArray liste = QFile::encodeName(m_fuerLibcurl.fileName());
    const QByteArray datei = QFile::encodeName(art.schluesseldatei);
    const QByteArray passwort = m_passwort.toUtf8();
    return !liste.isEmpty() && setzen(handle, CURLOPT_SSH_KNOWNHOSTS, liste.constData())
        && setzen(handle, CURLOPT_SSH_KEYFUNCTION, &SftpZugang::schluesselPruefen)
        && setzen(handle, CURLOPT_SSH_KEYDATA, static_cast<void*>(this))
        && setzen(handle, CURLOPT_SSH_AUTH_TYPES, art.arten)
        // libssh2 keeps the writes of one buffer in flight at once; with
        // libcurl's 64 KiB the upload ran at about two thirds of OpenSSH's
        // sftp (bench/sftp_vergleich.sh).
        && setzen(handle, CURLOPT_UPLOAD_BUFFERSIZE, 1048576L)
        // Empty: libssh2 derives the public key from the private one.
        && setzen(handle, CURLOPT_SSH_PUBLIC_KEYFILE, "")
        && setzen(handle, CURLOPT_SSH_PRIVATE_KEYFILE, datei.constData())
        && setzen(handle, CURLOPT_KEYPASSWD, art.schluesseldatei.isEmpty() ? "" : passwort.constData())
        && setzen(handle, CURLOPT_PASSWORD, (art.arten & CURLSSH_AUTH_PASSWORD) ? passwort.constData() : "");
}

int SftpZugang::schluesselPruefen(CURL*, const curl_khkey*, const curl_khkey* gefunden, curl_khmatch, void* zeiger)
{
    auto& zugang = *static_cast<SftpZugang*>(zeiger);
    // libcurl hands the server's key over raw; its own verdict knows neither
    // the program's file nor hashed entries, so the key is judged here.
    const QByteArray blob = gefunden->len > 0 ? QByteArray(gefunden->key, qsizetype(gefunden->len))
                                              : QByteArray::fromBase64(QByteArray(gefunden->key));
    zugang.m_gefunden = hostschluesselAus(blob);
    zugang.m_pruefung = zugang.m_gefunden.typ.isEmpty()
        ? Schluesselpruefung::Unbekannt
        : ::schluesselPruefen(zugang.m_bekannte, zugang.m_gefunden, &zugang.m_gespeichert);
    return zugang.m_pruefung == Schluesselpruefung::Bekannt ? CURLKHSTAT_FINE : CURLKHSTAT_REJECT;
}

QString SftpZugang::frage() const
{
    return QStringLiteral("Der Server ") + m_anzeigename + QStringLiteral(" ist unbekannt. Fingerabdruck: ")
        + beschreibung(m_gefunden) + crlf + QStringLiteral("Wirklich verbinden und den Schlüssel merken?");
}

Vertrauensfrage SftpZugang::vertrauensfrage() const
{
    return { eigeneKnownHosts(), knownHostsZeile(m_host, m_port, m_gefunden) };
}

QString SftpZugang::warnung() const
{
    return QStringLiteral("Der Schlüssel des Servers ") + m_anzeigename + QStringLiteral(" hat sich geändert!") + crlf
        + QStringLiteral("Gespeichert: ") + beschreibung(m_gespeichert) + crlf + QStringLiteral("Jetzt: ")
        + beschreibung(m_gefunden) + crlf
        + QStringLiteral("Es wurde nichts gesendet: Jemand könnte sich als dieser Server ausgeben. Hat der Server ")
        + QStringLiteral("wirklich einen neuen Schlüssel, entfernen Sie den alten aus ") + u'„'
        + knownHostsDateien().join(QStringLiteral("“ oder „")) + QStringLiteral("“.");
}

bool SftpZugang::mitRsaSchluessel() const
{
    return std::any_of(m_anmeldungen.begin(), m_anmeldungen.end(),
        [](const Anmeldung& a) { return a.schluesseldatei.endsWith(QStringLiteral("/id_rsa")); });
}

std::optional<QByteArray> SftpZugang::anmeldeangebot(QByteArrayView logzeile)
{
    static constexpr QByteArrayView kopf = "SSH authentication methods available: ";
    if (!logzeile.startsWith(kopf))
        return std::nullopt;
    return logzeile.sliced(kopf.size()).trimmed().toByteArray();
}

bool SftpZugang::nimmtPasswort(const QByteArray& angebot)
{
    return angebot.contains("password") || angebot.contains("keyboard-interactive");
}

QString SftpZugang::rsaHinweis()
{
    return QStringLiteral("Der Server hat die Anmeldung mit Ihrem RSA-Schlüssel („")
        + schluesseldatei(QStringLiteral("id_rsa"))
        + QStringLiteral("“) abgelehnt: RSA-Schlüssel kann dieses Programm nur mit dem veralteten SHA-1-Verfahren ")
        + QStringLiteral("verwenden, das aktuelle Server nicht mehr annehmen.") + crlf
        + QStringLiteral("Bitte verwenden Sie einen ed25519-Schlüssel (ssh-keygen -t ed25519) und hinterlegen Sie ")
        + QStringLiteral("ihn auf dem Server.");
}
