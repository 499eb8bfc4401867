#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A real FTP server on 127.0.0.1 for one test: Debian's pyftpdlib driven by
// tests/support/ftp_testserver.py, with one account whose home is a fresh
// temporary folder. It records every command it receives.
class FtpTestserver {
public:
    struct Art {
        QString benutzer = QStringLiteral("fotograf");
        QString passwort = QStringLiteral("geheim");
        // pyftpdlib's permission letters; without "w" every upload is refused.
        QString rechte = QStringLiteral("elradfmwMT");
        // Bytes per second an upload may arrive with; 0 for no limit.
        qint64 drossel = 0;
        // Throw uploads away instead of writing them to disk.
        bool verwerfen = false;
        // Where the server falls silent: "login", "stor", "daten" or "abschluss"; "" never.
        QString haengen;
        // Record every read from a data connection and every upload's confirmation (see lesestand()).
        bool mitzaehlen = false;
        // Hold every STOR until storFreigeben(); with mitzaehlen, lesestand() tells when one came.
        bool storAufhalten = false;
        // Where the server drips an answer that never completes: "pwd", "stor" or "abschluss"; "" never.
        QString tropfen;
        // Bytes of an upload the server keeps while reporting it complete; below 0 all.
        qint64 kuerzen = -1;
        // The server answers SIZE as an unknown command.
        bool ohneSize = false;
        // "explizit" (AUTH TLS) or "implizit" TLS, required for login and data; "" plain FTP.
        QString tls;
        // For TLS: a PEM file with the server's certificate and key.
        QString zertifikat;
    };

    // What the server had really done at the moment of asking: the bytes it had
    // read from data connections so far, and whether it had confirmed an upload.
    struct Lesestand {
        qint64 gelesen = 0;
        bool bestaetigt = false;
        bool storErhalten = false;
    };

    FtpTestserver()
        : FtpTestserver(Art())
    {
    }
    explicit FtpTestserver(const Art& art);
    ~FtpTestserver();
    FtpTestserver(const FtpTestserver&) = delete;
    FtpTestserver& operator=(const FtpTestserver&) = delete;

    bool laeuft() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    // "127.0.0.1:port", as FTPServer holds it.
    QString adresse() const;
    // The account's home folder on disk.
    QString wurzel() const { return m_wurzel.path(); }
    // Every command line received so far, in order, without "BEFEHL ".
    QStringList befehle();
    // Only with Art::mitzaehlen.
    Lesestand lesestand() const;
    // Lets the STOR held by Art::storAufhalten go on.
    void storFreigeben();
    // Every line the server wrote so far, in order: "BEFEHL <command line>",
    // "VERBUNDEN", "GETRENNT", and with TLS "TLS STEUERUNG" or "TLS DATEN"
    // after each completed handshake.
    QStringList protokoll();

private:
    QString ereignisDatei() const;
    QString storTor() const;

    QTemporaryDir m_wurzel;
    QTemporaryDir m_ereignisse;
    QProcess m_prozess;
    quint16 m_port = 0;
    QByteArray m_ausgabe;
};
