#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// One successful upload as the history keeps it. Never holds a password.
struct Verlaufseintrag {
    qint64 id = 0;
    QDateTime zeit;
    // The local path the picture was sent from.
    QString datei;
    // "" when no address could be formed (FTP without URL).
    QString link;
    // "FTP", "FTPES", "FTPS", "SFTP" or "Bildhost": which way it went, and so how it is deleted.
    QString modus;
    // The FTP server as the settings named it, or the image host.
    QString server;
    // The FTP login it was stored with; "" for the image host.
    QString benutzer;
    // Where the picture lies on the server: the FTP path, or the image host's name for it.
    QString entfernterPfad;
    qint64 groesse = 0;
    // A JPEG or PNG of at most 128 px; empty when the picture could not be read.
    QByteArray vorschau;
    // The image host's key for deleting the picture; "" where there is none.
    QString loeschschluessel;
    // When the picture was deleted from its server; invalid while it is there.
    QDateTime geloescht;
};
