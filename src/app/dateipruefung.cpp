#include "app/dateipruefung.h"

#include <QFileInfo>

bool dateiExistiert(const QString& path)
{
    if (path.isEmpty())
        return false;
    // A regular file only: opening a named pipe waits for a writer that never
    // comes, and a device has no length to check against the size limit.
    return QFileInfo(path).isFile();
}

bool dateiLesbar(const QString& path)
{
    return QFileInfo(path).isReadable();
}

qint64 dateiLaenge(const QString& path)
{
    return QFileInfo(path).size();
}
