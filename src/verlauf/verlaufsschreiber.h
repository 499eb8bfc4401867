#pragma once

#include "verlauf/verlaufsaufnahme.h"
#include "verlauf/verlaufsspeicher.h"

#include <QObject>
#include <QThread>

#include <optional>

// The history of an upload run, kept on a thread of its own: there the file is opened (Qt's
// SQLite driver loaded, the table checked) while the picture goes up, and only the row itself
// is left for the moment after the link. A connection belongs to the thread that opened it, so
// the file is read, written and closed there alone.
class Verlaufsschreiber : public Verlaufsaufnahme {
public:
    explicit Verlaufsschreiber(QString datei = verlaufsdatei());
    ~Verlaufsschreiber() override;
    Verlaufsschreiber(const Verlaufsschreiber&) = delete;
    Verlaufsschreiber& operator=(const Verlaufsschreiber&) = delete;

    void vorbereiten() override;
    // Waits for the row to be written, as Verlaufsspeicher::eintragen does.
    QString eintragen(const Verlaufseintrag& eintrag) override;

private:
    QString m_datei;
    QThread m_faden;
    // Lives on m_faden: what is posted to it runs there, in order.
    QObject m_kontext;
    std::optional<Verlaufsspeicher> m_speicher;
};
