#include "platform/sitzungsbus.h"

#include <QFileInfo>
#include <QString>

bool sitzungsbusDa()
{
    // "disabled:" is how a session says it has no bus on purpose; every call would only fail.
    const QString adresse = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (adresse.startsWith(QLatin1String("disabled:")))
        return false;
    return !adresse.isEmpty()
        || (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
            && QFileInfo(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")).exists());
}
