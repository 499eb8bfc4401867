#include "app/dateipruefung.h"

#include <QFileInfo>

bool dateiExistiert(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

qint64 dateiLaenge(const QString& path)
{
    return QFileInfo(path).size();
}
