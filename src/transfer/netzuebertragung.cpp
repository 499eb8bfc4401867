#include "transfer/netzuebertragung.h"

#include "transfer/bildhostupload.h"
#include "transfer/ftpupload.h"
#include "transfer/imagehost.h"

FtpErgebnis Netzuebertragung::ftpUpload(
    QString& path, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
{
    return ::ftpUpload(path, optionen, status, fehlerText);
}

QString Netzuebertragung::bildhostUpload(QString& path, Statusanzeige& status, QString& fehlerText)
{
    return ::bildhostUpload(imageHost(), path, status, fehlerText, imageHostGrenzen());
}
