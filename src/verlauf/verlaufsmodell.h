#pragma once

#include "verlauf/verlaufseintrag.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QImage>
#include <QList>

class Verlaufsspeicher;

// The history as a table, newest first: thumbnail, name, date, link and
// whether the picture was deleted from its server. Thumbnails are read from
// the store only for the rows a view shows.
class Verlaufsmodell : public QAbstractTableModel {
public:
    enum Spalte { Vorschau, Name, Datum, Link, Server, Spaltenzahl };
    // Edge of the thumbnails the table shows.
    static constexpr int vorschauKante = 48;

    explicit Verlaufsmodell(Verlaufsspeicher& speicher, QObject* eltern = nullptr);

    // Reads every row again; false with the reason when the store cannot be read.
    bool laden(QString& fehler);
    const Verlaufseintrag& eintrag(int zeile) const { return m_eintraege.at(zeile); }
    // Changes the table only; the caller has changed the store.
    void zeileEntfernen(int zeile);
    void geloeschtSetzen(int zeile, const QDateTime& zeit);

    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    int columnCount(const QModelIndex& eltern = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
    QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle = Qt::DisplayRole) const override;

private:
    QImage vorschau(const Verlaufseintrag& eintrag) const;

    Verlaufsspeicher& m_speicher;
    QList<Verlaufseintrag> m_eintraege;
    mutable QCache<qint64, QImage> m_vorschauen{ 500 };
};

// "gelöscht am 07.12.2026 18:30", in local time; "" while the picture is on its server.
QString serverZustand(const Verlaufseintrag& eintrag);
