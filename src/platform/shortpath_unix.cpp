#include "platform/shortpath.h"

#include "text/textfunktionen.h"

#include <QFileInfo>

QString ShortPath(QString& path)
{
    path = ohneAnfuehrungszeichen(path);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return QString();
    return path;
}
