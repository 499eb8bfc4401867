#include "app/einzigedatei.h"

#include <QFileInfo>

QString dateiAlsEinzigesArgument(const QStringList& argumente)
{
    if (argumente.size() != 1 || !QFileInfo(argumente.first()).isFile())
        return QString();
    return argumente.first();
}
