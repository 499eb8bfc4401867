#include "platform/sitzungsbus.h"

#include <QFileInfo>
#include <QString>

bool sitzungsbusDa()
{
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        || (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
            && QFileInfo(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")).exists());
}
