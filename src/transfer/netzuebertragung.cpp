#include "transfer/netzuebertragung.h"

#include "transfer/bildhostupload.h"
#include "transfer/ftpupload.h"
#include "transfer/imagehost.h"

FtpErgebnis Netzuebertragung::ftpUpload(
    const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
{
    return ::ftpUpload(datei, optionen, status, fehlerText);
}

QString Netzuebertragung::bildhostUpload(const Bilddatei& datei, Statusanzeige& status, QString& fehlerText)
{
    return ::bildhostUpload(imageHost(), datei, status, fehlerText, imageHostGrenzen());
}
