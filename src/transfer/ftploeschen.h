#pragma once

#include "transfer/ftpupload.h"

#include <QString>

struct Optionen;

// How deleting a file from an FTP server ended.
enum class FtpLoeschergebnis {
    Geloescht,
    Gescheitert, // fehlerText says whether the login or the deletion failed
    ZertifikatAbgelehnt, // fehlerText is the certificate sentence
    PasswortFehlt, // SFTP: every way in was refused, and there was no password to try
};

// Deletes entfernterName, a path as the upload stored it (relative to the
// login folder unless it starts with "/"), from the FTP server of konto with
// one DELE: its server, login, password and proxy, over TLS when the server's
// scheme asks for it; over SFTP as sftpLoeschen does. A name holding a control
// character is refused before anyone is contacted: it would end the command
// and start another.
FtpLoeschergebnis ftpLoeschen(
    const Optionen& konto, const QString& entfernterName, QString& fehlerText, const FtpZeitgrenzen& grenzen = {});

// The sentences of a failed deletion: no connection or login, and a file the server kept.
QString loeschverbindungFehler(const Optionen& konto);
QString nichtGeloeschtFehler(const QString& entfernterName, const QString& server);
