#pragma once

#include "links/benachrichtigung.h"

// On Linux a notification through org.freedesktop.Notifications on the
// session bus; on Windows none (the status window's end says enough there).
class Desktopbenachrichtigung : public Benachrichtigung {
public:
    void hochgeladen(const QString& link, bool kopiert) override;
};
