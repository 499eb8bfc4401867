#pragma once

#include <QString>

// What the desktop looks like at the moment the link goes into the clipboard.
struct Desktoplage {
    QString qtPlattform; // the platform plugin Qt runs on: "xcb", "wayland", "offscreen", …
    bool x11 = false; // DISPLAY names an X server (XWayland counts)
    bool wayland = false; // WAYLAND_DISPLAY names a Wayland compositor
    bool verwalter = false; // an X11 client owns CLIPBOARD_MANAGER
};

// Who keeps the text once the program has ended.
struct Uebergaben {
    bool x11Helfer = false; // fotoschicker-zwischenablage owns the X11 clipboard
    bool waylandKopie = false; // wl-copy owns the Wayland clipboard
    bool qtAufWayland = false; // the clipboard Qt itself sets is the Wayland one
};

Uebergaben uebergabenWaehlen(const Desktoplage& lage);
