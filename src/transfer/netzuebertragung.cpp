#include "transfer/netzuebertragung.h"

#include "transfer/ftpupload.h"

#include "platform/shortpath.h"
#include "statusfenster/statusanzeige.h"

bool Netzuebertragung::ftpUpload(QString& path, const Optionen& optionen, Statusanzeige& status, QString& fehlerText)
{
    return ::ftpUpload(path, optionen, status, fehlerText);
}

QString Netzuebertragung::bildhostUpload(QString& path, Statusanzeige& status, QString& fehlerText)
{
    ShortPath(path);
    fehlerText = QStringLiteral("Die Übertragung zum Bilderdienst ist in dieser Version noch nicht eingebaut.");
    status.status(QString());
    return QString();
}
