#pragma once

#include <QStringList>

// The desktop's word after a successful upload, for a run that shows the
// status window: that window closes with the transfer, and nothing else would
// say that the link is waiting in the clipboard.
class Benachrichtigung {
public:
    virtual ~Benachrichtigung() = default;
    // links: the addresses handed out by the run, one per picture that has one;
    // kopiert: whether the clipboard got them. Once a run, however many pictures
    // it sent. Returns at once; it never waits for the desktop.
    virtual void hochgeladen(const QStringList& links, bool kopiert) = 0;
};
