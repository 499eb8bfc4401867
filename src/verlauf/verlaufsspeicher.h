#pragma once

#include "verlauf/verlaufsaufnahme.h"
#include "verlauf/verlaufseintrag.h"

#include <QList>
#include <QString>

#include <optional>

class QSqlDatabase;

// The history's file: MorvaFotoschicker/verlauf.sqlite under $XDG_DATA_HOME
// (~/.local/share when the variable is unset).
QString verlaufsdatei();

// The upload history in an SQLite file. It runs in WAL mode and waits for a
// lock rather than failing, so two programs writing at once both land. The
// file keeps deletion keys, so it is private to its owner like the settings.
class Verlaufsspeicher : public Verlaufsaufnahme {
public:
    explicit Verlaufsspeicher(QString datei = verlaufsdatei());
    ~Verlaufsspeicher() override;
    Verlaufsspeicher(const Verlaufsspeicher&) = delete;
    Verlaufsspeicher& operator=(const Verlaufsspeicher&) = delete;

    const QString& datei() const { return m_datei; }

    // Opens the file, creating it when missing. A file SQLite cannot read as
    // its database is moved aside, never emptied: hinweis() then says where it
    // went. False with the reason in fehler when no history can be had.
    bool oeffnen(QString& fehler);
    // "" unless oeffnen moved a damaged file aside; then the sentence for the
    // user, which the next eintragen returns once.
    const QString& hinweis() const { return m_hinweis; }

    QString eintragen(const Verlaufseintrag& eintrag) override;

    // Every row, newest first, without thumbnails: those are read one by one
    // when shown, so a long history opens quickly.
    std::optional<QList<Verlaufseintrag>> eintraege(QString& fehler);
    QByteArray vorschau(qint64 id);
    bool entfernen(qint64 id, QString& fehler);
    bool geloeschtVermerken(qint64 id, const QDateTime& zeit, QString& fehler);

private:
    QSqlDatabase datenbank() const;
    bool verbinden(QString& fehler, bool& beschaedigt);
    bool beiseiteLegen(QString& fehler);
    void trennen();

    QString m_datei;
    QString m_verbindung;
    QString m_hinweis;
    bool m_offen = false;
};
