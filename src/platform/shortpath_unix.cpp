#include "platform/shortpath.h"

#include <QFileInfo>

QString ShortPath(const QString& pfad)
{
    if (pfad.isEmpty() || !QFileInfo::exists(pfad))
        return QString();
    return pfad;
}
