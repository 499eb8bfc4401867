#pragma once

#include "transfer/ftpverbindung.h"

// Whether an upload that ended so ended before the server let it in, or was never let in.
bool vorDerAnmeldung(FtpErgebnis ergebnis);

// After a cancel: what reached the server under the picture's name goes, part
// or whole, with DELE over FTP and FTPS (pinned as the upload was) and with
// "rm" over SFTP. Abgebrochen when the name is free afterwards; otherwise
// RestGeblieben, and fehlerText is the name on the server.
FtpErgebnis restEntfernen(const Auftrag& auftrag, QString& fehlerText);
