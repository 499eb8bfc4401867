#include "platform/uebergabewahl.h"

Uebergaben uebergabenWaehlen(const Desktoplage& lage)
{
    const bool xcb = lage.qtPlattform == u"xcb";
    const bool waylandQt = lage.qtPlattform.startsWith(u"wayland");
    Uebergaben wege;
    // Under XWayland the compositor's window manager owns CLIPBOARD_MANAGER but
    // keeps nothing, so only a manager on a bare X server is trusted.
    wege.x11Helfer = (xcb && (lage.wayland || !lage.verwalter)) || (waylandQt && lage.x11);
    // Text in the X11 clipboard reaches Wayland programs only where the
    // compositor passes it on, which Sway, for one, begins to do only once an
    // X11 window has had the focus.
    wege.waylandKopie = waylandQt || (xcb && lage.wayland);
    wege.qtAufWayland = waylandQt;
    return wege;
}
