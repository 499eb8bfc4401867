#pragma once

#include <QString>

// The one way into the status window: a text shows it, the empty text closes it.
class Statusanzeige {
public:
    virtual ~Statusanzeige() = default;
    virtual void status(const QString& text) = 0;
    // While several pictures go one after another, the line above the
    // transfer's texts that says which ("Bild 2 von 5: NAME"); "" for none.
    // It holds for every window the texts open until it changes.
    virtual void bildzeile(const QString& text) { Q_UNUSED(text) }
    // How far the current transfer is; total is 0 when unknown.
    virtual void fortschritt(qint64 gesendet, qint64 gesamt)
    {
        Q_UNUSED(gesendet)
        Q_UNUSED(gesamt)
    }
    // True once the user asked to stop the transfer. Transfers ask it from
    // their worker thread, so implementations answer from an atomic.
    virtual bool abbruchGewuenscht() const { return false; }
};
