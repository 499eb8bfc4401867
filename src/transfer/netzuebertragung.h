#pragma once

#include "transfer/uebertragung.h"

// The transfers over the network: FTP to the user's server, HTTP to the image host.
class Netzuebertragung : public Uebertragung {
public:
    FtpErgebnis ftpUpload(QString& path, const Optionen& optionen, Statusanzeige& status, QString& fehlerText) override;
    QString bildhostUpload(QString& path, Statusanzeige& status, QString& fehlerText) override;
};
