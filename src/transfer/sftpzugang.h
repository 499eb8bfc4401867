#pragma once

#include "transfer/ftpadresse.h"
#include "transfer/hostschluessel.h"
#include "transfer/vertrauensspeicher.h"

#include <QList>
#include <QString>
#include <QTemporaryFile>

#include <optional>

#include <curl/curl.h>

struct Optionen;

// How an SFTP upload logs in and checks the server's key. libcurl tries its
// login methods in an order of its own and only one key file, so every way in
// is a connection of its own: the user's ssh-agent, then ~/.ssh/id_ed25519 and
// ~/.ssh/id_ecdsa with the stored password as passphrase (then ~/.ssh/id_rsa,
// which older servers still take), then the password.
// Every connection checks the server's key against ~/.ssh/known_hosts and the
// program's own known_hosts before any login is sent.
class SftpZugang {
public:
    SftpZugang(const FtpServerangabe& server, const Optionen& optionen);
    SftpZugang(const SftpZugang&) = delete;
    SftpZugang& operator=(const SftpZugang&) = delete;

    // How many connections the logins take; at least one, which with nothing
    // to log in with only checks the key and learns the server's methods.
    qsizetype anmeldungen() const { return m_anmeldungen.size(); }
    // Sets up handle for the given login and the check of the key. False when libcurl refuses.
    bool einstellen(CURL* handle, qsizetype anmeldung);

    // After a connection: what the check of the server's key found.
    Schluesselpruefung pruefung() const { return m_pruefung; }
    // For an unknown key: the question for the user and what "Ja" stores.
    QString frage() const;
    Vertrauensfrage vertrauensfrage() const;
    // For a changed key: the warning naming both fingerprints.
    QString warnung() const;

    // Whether the logins included ~/.ssh/id_rsa: when they all failed, the
    // user is told that this libssh2 signs RSA only in the way (SHA-1) current
    // servers refuse.
    bool mitRsaSchluessel() const;
    static QString rsaHinweis();

    // From a line of libcurl's log: the login methods the server offers;
    // nullopt for any other line.
    static std::optional<QByteArray> anmeldeangebot(QByteArrayView logzeile);
    // Whether such an offer takes a password, so that asking for one makes sense.
    static bool nimmtPasswort(const QByteArray& angebot);

private:
    struct Anmeldung {
        long arten = 0;
        QString schluesseldatei;
    };
    static int schluesselPruefen(CURL*, const curl_khkey*, const curl_khkey* gefunden, curl_khmatch, void* zeiger);

    QString m_host;
    int m_port = 22;
    QString m_anzeigename;
    QString m_passwort;
    QList<Anmeldung> m_anmeldungen;
    QList<Hostschluessel> m_bekannte;
    // The stored keys once more, for libcurl: it offers the server the type it
    // finds there first, so a server with several keys shows the known one.
    QTemporaryFile m_fuerLibcurl;
    // Written on libcurl's worker while it connects, read after it finished.
    Schluesselpruefung m_pruefung = Schluesselpruefung::Bekannt;
    Hostschluessel m_gefunden;
    Hostschluessel m_gespeichert;
};
