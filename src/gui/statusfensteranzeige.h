#pragma once

#include "statusfenster/statusanzeige.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>

class QMessageBox;
class statusfenster;

// The status display of the real program: the first text opens the status
// window, further texts replace it, the empty text closes it. When the run's
// StatusfensterZeigen is off it does nothing at all. The window is built in
// the next turn of the event loop, which is the transfer's: the connection is
// made while the window is drawn, not after it.
class Statusfensteranzeige : public Statusanzeige {
public:
    Statusfensteranzeige();
    ~Statusfensteranzeige() override;

    // Asked on every call, as the run may load other settings in between.
    void zeigenWenn(std::function<bool()> zeigen);

    void status(const QString& text) override;
    void bildzeile(const QString& text) override;
    void fortschritt(qint64 gesendet, qint64 gesamt) override;
    // Set by "Ja" to the question a click on the window asks; a new window starts without it.
    bool abbruchGewuenscht() const override { return m_abbruch; }

    // Closes and destroys the window, or drops the one asked for.
    void machmichweg();

    // The open window, or null (also while the one asked for is not built yet).
    statusfenster* fenster() const { return m_fenster.get(); }

private:
    void fensterOeffnen();
    void abbruchFragen();

    std::function<bool()> m_zeigen;
    QString m_bildzeile;
    QString m_text;
    bool m_angefordert = false;
    // What is queued for the event loop goes with it.
    QObject m_kontext;
    std::unique_ptr<statusfenster> m_fenster;
    // The open question "Übertragung abbrechen?", or null.
    QPointer<QMessageBox> m_frage;
    std::atomic<bool> m_abbruch{ false };
};
