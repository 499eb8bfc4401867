#pragma once

#include "transfer/bilddatei.h"
#include "transfer/uebertragung.h"
#include "transfer/vertrauensspeicher.h"

#include <QString>

#include <chrono>

struct Optionen;
class Statusanzeige;

// libcurl waits forever unless told otherwise; these end a dead transfer with
// the matching failure text. Tests shorten them.
struct FtpZeitgrenzen {
    // Until the server has greeted and taken (or refused) the login.
    std::chrono::seconds verbinden{ 30 };
    // Longest stretch without any data moving or any answer from the server.
    std::chrono::seconds ohneDaten{ 60 };
};

// Stores the picture on the FTP server of optionen as FTPPath followed
// directly by its long name, with one STOR and no change of directory; over
// TLS when the server's scheme asks for it, over SFTP for "sftp://". Shows its
// steps through status and closes the status display on every path. On
// failure fehlerText holds one of three German sentences, or the whole
// sentence of the result; it never holds the password. With Rueckfrage, frage
// gets what answering "Ja" stores.
// Stopped by the user, it removes what reached the server; when that fails,
// fehlerText is the name on the server.
FtpErgebnis ftpUpload(const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText,
    const FtpZeitgrenzen& grenzen = {}, Vertrauensfrage* frage = nullptr);
