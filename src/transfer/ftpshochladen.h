#pragma once

#include "transfer/ftpverbindung.h"

// FTPS with the system's authorities, or with the public key the user
// trusted for this server. A certificate the system does not trust is looked
// at once more, without its chain but still for its name, and stops before
// the login; if it could be trusted, frage gets what "Ja" stores.
FtpErgebnis ftpsHochladen(const Auftrag& auftrag, QString& fehlerText, Vertrauensfrage* frage);

// The public key the user trusted for this TLS server (libcurl's
// "sha256//..."), which every connection to it pins; empty when there is none,
// and for plain FTP and SFTP.
QByteArray vertrauteNadel(const FtpServerangabe& server);
