#pragma once

#include <QString>

// The desktop's word after a successful upload, for a run that shows the
// status window: that window closes with the transfer, and nothing else would
// say that the link is waiting in the clipboard.
class Benachrichtigung {
public:
    virtual ~Benachrichtigung() = default;
    // link: the address handed out ("" when none could be formed); kopiert:
    // whether the clipboard got it. Returns at once where no desktop listens.
    virtual void hochgeladen(const QString& link, bool kopiert) = 0;
};
