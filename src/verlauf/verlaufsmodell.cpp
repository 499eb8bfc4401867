#include "verlauf/verlaufsmodell.h"

#include "verlauf/verlaufsspeicher.h"

#include <QFileInfo>

namespace {
QString zeitText(const QDateTime& zeit)
{
    return zeit.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

QString name(const Verlaufseintrag& eintrag)
{
    return QFileInfo(eintrag.datei).fileName();
}
} // namespace

QString serverZustand(const Verlaufseintrag& eintrag)
{
    if (!eintrag.geloescht.isValid())
        return {};
    return QStringLiteral("gelöscht am ") + zeitText(eintrag.geloescht);
}

Verlaufsmodell::Verlaufsmodell(Verlaufsspeicher& speicher, QObject* eltern)
    : QAbstractTableModel(eltern)
    , m_speicher(speicher)
{
}

bool Verlaufsmodell::laden(QString& fehler)
{
    auto liste = m_speicher.eintraege(fehler);
    if (!liste)
        return false;
    beginResetModel();
    m_eintraege = std::move(*liste);
    m_vorschauen.clear();
    endResetModel();
    return true;
}

void Verlaufsmodell::zeileEntfernen(int zeile)
{
    beginRemoveRows(QModelIndex(), zeile, zeile);
    m_vorschauen.remove(m_eintraege.at(zeile).id);
    m_eintraege.removeAt(zeile);
    endRemoveRows();
}

void Verlaufsmodell::geloeschtSetzen(int zeile, const QDateTime& zeit)
{
    m_eintraege[zeile].geloescht = zeit;
    Q_EMIT dataChanged(index(zeile, Server), index(zeile, Server));
}

int Verlaufsmodell::rowCount(const QModelIndex& eltern) const
{
    return eltern.isValid() ? 0 : static_cast<int>(m_eintraege.size());
}

int Verlaufsmodell::columnCount(const QModelIndex& eltern) const
{
    return eltern.isValid() ? 0 : Spaltenzahl;
}

QImage Verlaufsmodell::vorschau(const Verlaufseintrag& eintrag) const
{
    if (const QImage* bekannt = m_vorschauen.object(eintrag.id))
        return *bekannt;
    QImage bild = QImage::fromData(m_speicher.vorschau(eintrag.id));
    if (!bild.isNull())
        bild = bild.scaled(vorschauKante, vorschauKante, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_vorschauen.insert(eintrag.id, new QImage(bild));
    return bild;
}

QVariant Verlaufsmodell::data(const QModelIndex& index, int rolle) const
{
    if (!index.isValid() || index.row() >= m_eintraege.size())
        return {};
    const Verlaufseintrag& e = m_eintraege.at(index.row());
    switch (rolle) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Name:
            return name(e);
        case Datum:
            return zeitText(e.zeit);
        case Link:
            return e.link;
        case Server:
            return serverZustand(e);
        default:
            return {};
        }
    case Qt::DecorationRole:
        if (index.column() == Vorschau) {
            const QImage bild = vorschau(e);
            return bild.isNull() ? QVariant() : QVariant(bild);
        }
        return {};
    case Qt::ToolTipRole:
        if (index.column() == Name)
            return e.datei;
        if (index.column() == Link)
            return e.link;
        return {};
    case Qt::AccessibleTextRole:
        if (index.column() == Vorschau)
            return QString(QStringLiteral("Vorschau von ") + name(e));
        return data(index, Qt::DisplayRole);
    default:
        return {};
    }
}

QVariant Verlaufsmodell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const
{
    if (richtung != Qt::Horizontal || rolle != Qt::DisplayRole)
        return {};
    switch (abschnitt) {
    case Vorschau:
        return QStringLiteral("Vorschau");
    case Name:
        return QStringLiteral("Name");
    case Datum:
        return QStringLiteral("Datum");
    case Link:
        return QStringLiteral("URL");
    case Server:
        return QStringLiteral("Auf dem Server");
    default:
        return {};
    }
}
