#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Debian's OpenSSH sshd on 127.0.0.1 for one test, with a host key of its own
// and internal-sftp, and one account "fotograf" (password "geheim") whose home
// is a fresh temporary folder. sshd reads accounts only from the system's
// files, so it runs in a mount namespace of its own where a copy of them with
// that account is laid over the originals; the system itself stays untouched.
class SftpTestserver {
public:
    struct Art {
        // Whether the server offers password logins at all.
        bool passwort = true;
        // SFTP requests the server refuses (internal-sftp -P), "remove" for one.
        QByteArray verboteneAnfragen;
    };

    SftpTestserver()
        : SftpTestserver(Art())
    {
    }
    explicit SftpTestserver(const Art& art);
    ~SftpTestserver();
    SftpTestserver(const SftpTestserver&) = delete;
    SftpTestserver& operator=(const SftpTestserver&) = delete;

    bool laeuft() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    // "127.0.0.1:port", as FTPServer holds it after "sftp://".
    QString adresse() const;
    // The account's home folder.
    QString wurzel() const { return m_ordner.filePath(QStringLiteral("home")); }
    // "type base64" of the server's host key, as known_hosts holds it after the name.
    QByteArray hostschluessel() const;
    // Lets the public key file in (appends it to the account's authorized keys).
    bool schluesselErlauben(const QString& oeffentlicherSchluessel);
    // What sshd logged so far.
    QByteArray protokoll();

private:
    bool starten(quint16 port);

    QTemporaryDir m_ordner;
    QProcess m_prozess;
    quint16 m_port = 0;
    QByteArray m_ausgabe;
};

// ssh-keygen: a new key pair at pfad (and pfad + ".pub"); false when it failed.
bool schluesselErzeugen(const QString& pfad, const QString& typ, const QString& passphrase = QString());
