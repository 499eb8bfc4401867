#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <chrono>

// For tests of a time limit: the limit must have ended the call, so it took
// at least the limit, and it ended well before the test's own deadline. The
// deadline only bounds a failure; a busy machine may take any time below it.
class Frist {
public:
    explicit Frist(std::chrono::milliseconds grenze, std::chrono::milliseconds testende = std::chrono::seconds(30));

    // Empty when the call ended inside [grenze, testende); otherwise what went wrong.
    QString verletzt() const;

private:
    std::chrono::milliseconds m_grenze;
    std::chrono::milliseconds m_testende;
    QElapsedTimer m_uhr;
    // Calls keep this thread's events running while they wait; a call that
    // never ends stops the test here with a clear message instead of at ctest's time-out.
    QTimer m_wachhund;
};
