#pragma once

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

// Stores the file at path on the FTP server of optionen as FTPPath followed
// directly by the file's long name, with one STOR and no change of directory.
// path is the file as the run settled it, quotes already dealt with; on return
// it holds the file's short form (empty when there is none). Shows its steps through status and closes
// the status display on every path. True on success; otherwise false with one
// of three German sentences in fehlerText, which never holds the password.
bool ftpUpload(QString& path, const Optionen& optionen, Statusanzeige& status, QString& fehlerText,
    const FtpZeitgrenzen& grenzen = {});
