#pragma once

#include <QDeadlineTimer>
#include <QString>

// Puts text into the Wayland clipboard through wl-copy, which serves it after
// we have ended. Returns once the compositor has confirmed the selection, or
// false when wl-copy is missing, fails, or has not got there by the deadline.
bool waylandKopieren(const QString& text, const QDeadlineTimer& frist);
