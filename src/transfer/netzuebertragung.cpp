#include "transfer/netzuebertragung.h"

#include "platform/shortpath.h"
#include "statusfenster/statusanzeige.h"

bool Netzuebertragung::ftpUpload(QString& path, const Optionen&, Statusanzeige& status, QString& fehlerText)
{
    ShortPath(path);
    fehlerText = QStringLiteral("Die FTP-Übertragung ist in dieser Version noch nicht eingebaut.");
    status.status(QString());
    return false;
}

QString Netzuebertragung::bildhostUpload(QString& path, Statusanzeige& status, QString& fehlerText)
{
    ShortPath(path);
    fehlerText = QStringLiteral("Die Übertragung zum Bilderdienst ist in dieser Version noch nicht eingebaut.");
    status.status(QString());
    return QString();
}
