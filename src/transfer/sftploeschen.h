#pragma once

#include "transfer/ftploeschen.h"

// Removes entfernterName, a path as the upload used it (relative to the login
// folder unless it starts with "/"), from the SFTP server of konto with one
// "rm": over the proxy of konto, logging in as an upload does and only once
// the server's key is the known one. A name that is already gone counts as
// removed. Gescheitert with fehlerText when the login or the removal failed;
// PasswortFehlt when every way in was refused, konto has no password and the
// server would take one.
FtpLoeschergebnis sftpLoeschen(
    const Optionen& konto, const QString& entfernterName, QString& fehlerText, const FtpZeitgrenzen& grenzen = {});
