#include "transfer/netzuebertragung.h"

#include "transfer/bildhostupload.h"
#include "transfer/bildhostwahl.h"
#include "transfer/ftpupload.h"
#include "transfer/imagehost.h"

FtpErgebnis Netzuebertragung::ftpUpload(
    const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
{
    m_frage = {};
    return ::ftpUpload(datei, optionen, status, fehlerText, {}, &m_frage);
}

bool Netzuebertragung::vertrauen(QString& grund)
{
    if (m_frage.zeile.isEmpty())
        return false;
    return vertrauenMerken(m_frage, grund);
}

QString Netzuebertragung::bildhostUpload(
    const Bilddatei& datei, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
{
    return ::bildhostUpload(bildhost(optionen), datei, status, fehlerText, imageHostGrenzen(), &m_loeschschluessel);
}
