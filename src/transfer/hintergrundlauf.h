#pragma once

#include <QObject>

#include <curl/curl.h>

#include <functional>

// Runs one blocking transfer (curlDurchfuehren) on a worker thread while the calling
// (user-interface) thread keeps handling its events, so windows repaint and
// timers tick during a long transfer. Callbacks of the transfer run on the
// worker; they hand work back to the calling thread with imVordergrund().
class Hintergrundlauf {
public:
    CURLcode ausfuehren(CURL* handle);

    // Callable from any thread: runs aufruf on the thread that called
    // ausfuehren, in the order posted, and before ausfuehren returns.
    void imVordergrund(std::function<void()> aufruf);

private:
    // Lives on the calling thread; whatever is still queued for it when the
    // run is over dies with it instead of touching a finished transfer.
    QObject m_kontext;
};
