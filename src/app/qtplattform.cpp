#include "app/qtplattform.h"

QString qtPlattformWaehlen(const QString& display, const QString& qtQpaPlatform)
{
    // The status window's place at the lower right needs global coordinates,
    // which Wayland does not give its clients; where an X server (XWayland) is
    // there, use it, unless the user chose a platform himself.
    if (display.isEmpty() || !qtQpaPlatform.isEmpty())
        return {};
    return QStringLiteral("xcb");
}
