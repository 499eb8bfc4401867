#pragma once

#include "transfer/ftpadresse.h"
#include "transfer/ftpupload.h"

#include <QByteArray>
#include <QString>

#include <curl/curl.h>

class SftpZugang;

// What one upload works with.
struct Auftrag {
    const Bilddatei& datei;
    const Optionen& optionen;
    const FtpServerangabe& server;
    const CurlUrl& adresse;
    const QString& entfernterName;
    const FtpZeitgrenzen& grenzen;
    Statusanzeige& status;
};

// How one connection ended.
struct Durchgang {
    FtpErgebnis ergebnis = FtpErgebnis::Gescheitert;
    CURLcode code = CURLE_FAILED_INIT;
    bool eingeloggt = false;
    QByteArray anmeldeangebot;
    // OpenSSL's verdict on a refused certificate; -1 for none.
    long pruefung = -1;
    // With a pin: the server's certificate (DER), whatever became of the pin.
    QByteArray zertifikat;
};

// One connection from the first byte to the last; with SFTP for one of the
// logins of zugang, with FTPS and a pin (libcurl's "sha256//...") trusting
// that public key instead of the system's authorities.
Durchgang ftpVerbinden(const Auftrag& auftrag, SftpZugang* zugang, qsizetype anmeldung, QString& fehlerText,
    const QByteArray* nadel = nullptr);

// The server, the login and the way there, for the upload and the removal
// after a cancel alike; false when the settings name no reachable server,
// proxy or a login that could be sent as it is.
bool verbindungEinstellen(CURL* handle, const Optionen& optionen, const CurlUrl& adresse, FtpSchutz schutz);
