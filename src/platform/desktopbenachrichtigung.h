#pragma once

#include "links/benachrichtigung.h"

// On Linux a notification through org.freedesktop.Notifications on the
// session bus, sent by the helper fotoschicker-benachrichtigung, which stays
// to answer a click on its actions after the program has ended; on Windows
// none (the status window's end says enough there).
class Desktopbenachrichtigung : public Benachrichtigung {
public:
    void hochgeladen(const QStringList& links, bool kopiert) override;
};
