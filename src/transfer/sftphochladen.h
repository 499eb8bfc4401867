#pragma once

#include "transfer/ftpverbindung.h"

// SFTP: every way in, one after the other, until one gets in or the server's
// key is not the known one; nothing is sent before the key has been checked.
FtpErgebnis sftpHochladen(const Auftrag& auftrag, QString& fehlerText, Vertrauensfrage* frage);
