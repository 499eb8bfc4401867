#include "gui/verlaufsfenster.h"

#include "app/dialoge.h"
#include "links/linktext.h"
#include "links/zwischenablage.h"
#include "verlauf/serverloeschung.h"
#include "verlauf/verlaufsspeicher.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QPushButton* knopf(const QString& text, const QString& name, QWidget* eltern)
{
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(name);
    k->setAccessibleName(QString(text).remove(u'&'));
    k->setAutoDefault(false);
    return k;
}

bool istWebadresse(const QString& link)
{
    const QString schema = QUrl(link).scheme().toLower();
    return schema == u"http" || schema == u"https";
}
} // namespace

Verlaufsfenster::Verlaufsfenster(Verlaufsspeicher& speicher, Einstellungsspeicher& einstellungen,
    Schluesselbund& schluesselbund, Dialoge& dialoge, Zwischenablage& zwischenablage, QWidget* eltern)
    : QWidget(eltern)
    , m_speicher(speicher)
    , m_einstellungen(einstellungen)
    , m_passwoerter(schluesselbund)
    , m_dialoge(dialoge)
    , m_zwischenablage(zwischenablage)
    , m_modell(speicher)
    , m_suche(new QLineEdit(this))
    , m_tabelle(new QTableView(this))
    , m_linkKopieren(knopf(QStringLiteral("&URL kopieren"), QStringLiteral("linkKopieren"), this))
    , m_htmlKopieren(knopf(QStringLiteral("&HTML kopieren"), QStringLiteral("htmlKopieren"), this))
    , m_oeffnen(knopf(QStringLiteral("Im &Browser öffnen"), QStringLiteral("imBrowserOeffnen"), this))
    , m_entfernen(knopf(QStringLiteral("Aus dem &Verlauf entfernen"), QStringLiteral("ausDemVerlaufEntfernen"), this))
    , m_serverLoeschen(knopf(QStringLiteral("Vom &Server löschen"), QStringLiteral("vomServerLoeschen"), this))
    , m_meldung(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Morva Fotoschicker - Verlauf"));
    setObjectName(QStringLiteral("Verlaufsfenster"));

    auto* suchtitel = new QLabel(QStringLiteral("&Suchen:"), this);
    suchtitel->setBuddy(m_suche);
    m_suche->setObjectName(QStringLiteral("suche"));
    m_suche->setAccessibleName(QStringLiteral("Suchen"));
    m_suche->setPlaceholderText(QStringLiteral("Name, Datum oder URL"));
    m_suche->setClearButtonEnabled(true);

    m_filter.setSourceModel(&m_modell);
    m_filter.setFilterKeyColumn(-1);
    m_filter.setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_tabelle->setObjectName(QStringLiteral("tabelle"));
    m_tabelle->setAccessibleName(QStringLiteral("Hochgeladene Bilder"));
    m_tabelle->setModel(&m_filter);
    m_tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabelle->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabelle->setTabKeyNavigation(false);
    m_tabelle->setWordWrap(false);
    m_tabelle->setIconSize(QSize(Verlaufsmodell::vorschauKante, Verlaufsmodell::vorschauKante));
    m_tabelle->verticalHeader()->hide();
    m_tabelle->verticalHeader()->setDefaultSectionSize(Verlaufsmodell::vorschauKante + 6);
    QHeaderView* kopf = m_tabelle->horizontalHeader();
    kopf->setSectionResizeMode(QHeaderView::Interactive);
    kopf->resizeSection(Verlaufsmodell::Vorschau,
        std::max(Verlaufsmodell::vorschauKante + 12, fontMetrics().horizontalAdvance(QStringLiteral("Vorschau")) + 24));
    kopf->resizeSection(Verlaufsmodell::Name, 180);
    kopf->resizeSection(Verlaufsmodell::Datum, 120);
    kopf->resizeSection(Verlaufsmodell::Link, 300);
    kopf->setStretchLastSection(true);

    m_meldung->setObjectName(QStringLiteral("meldung"));
    m_meldung->setAccessibleName(QStringLiteral("Meldung"));

    auto* suchzeile = new QHBoxLayout;
    suchzeile->addWidget(suchtitel);
    suchzeile->addWidget(m_suche, 1);
    auto* knopfzeile = new QHBoxLayout;
    for (QPushButton* k : { m_linkKopieren, m_htmlKopieren, m_oeffnen, m_entfernen, m_serverLoeschen })
        knopfzeile->addWidget(k);
    knopfzeile->addStretch(1);
    auto* aufbau = new QVBoxLayout(this);
    aufbau->addLayout(suchzeile);
    aufbau->addWidget(m_tabelle, 1);
    aufbau->addLayout(knopfzeile);
    aufbau->addWidget(m_meldung);
    setTabOrder(m_suche, m_tabelle);

    connect(m_suche, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_filter.setFilterFixedString(text);
        knoepfeAnpassen();
    });
    // From the search field, Enter goes to the hits.
    connect(m_suche, &QLineEdit::returnPressed, this, [this] {
        m_tabelle->setFocus();
        if (!m_tabelle->selectionModel()->hasSelection() && m_filter.rowCount() > 0)
            m_tabelle->selectRow(0);
    });
    connect(m_tabelle, &QTableView::doubleClicked, this, &Verlaufsfenster::linkKopieren);
    connect(m_linkKopieren, &QPushButton::clicked, this, &Verlaufsfenster::linkKopieren);
    connect(m_htmlKopieren, &QPushButton::clicked, this, &Verlaufsfenster::htmlKopieren);
    connect(m_oeffnen, &QPushButton::clicked, this, &Verlaufsfenster::imBrowserOeffnen);
    connect(m_entfernen, &QPushButton::clicked, this, &Verlaufsfenster::ausDemVerlaufEntfernen);
    connect(m_serverLoeschen, &QPushButton::clicked, this, &Verlaufsfenster::vomServerLoeschen);

    // On the table only: in the search field Delete deletes characters.
    for (const QKeySequence& taste : { QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter) })
        new QShortcut(taste, m_tabelle, this, &Verlaufsfenster::linkKopieren, Qt::WidgetShortcut);
    new QShortcut(QKeySequence::Delete, m_tabelle, this, &Verlaufsfenster::ausDemVerlaufEntfernen, Qt::WidgetShortcut);
    new QShortcut(QKeySequence::Find, this, this, [this] {
        m_suche->setFocus(Qt::ShortcutFocusReason);
        m_suche->selectAll();
    });
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

    // Fits 1366x768 at 150 % (910x512 device-independent pixels) with room for a title bar and a panel.
    resize(860, 420);
    setMinimumSize(560, 280);
}

bool Verlaufsfenster::laden(QString& fehler)
{
    if (!m_modell.laden(fehler))
        return false;
    connect(m_tabelle->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &Verlaufsfenster::knoepfeAnpassen, Qt::UniqueConnection);
    if (m_filter.rowCount() > 0)
        m_tabelle->selectRow(0);
    m_tabelle->setFocus();
    knoepfeAnpassen();
    const int anzahl = m_modell.rowCount();
    melden(anzahl == 0    ? QStringLiteral("Noch keine Bilder hochgeladen.")
            : anzahl == 1 ? QStringLiteral("1 Bild im Verlauf.")
                          : QStringLiteral("%1 Bilder im Verlauf.").arg(anzahl));
    return true;
}

QList<int> Verlaufsfenster::gewaehlteZeilen() const
{
    QList<int> zeilen;
    for (const QModelIndex& index : m_tabelle->selectionModel()->selectedRows())
        zeilen.append(m_filter.mapToSource(index).row());
    std::sort(zeilen.begin(), zeilen.end());
    return zeilen;
}

void Verlaufsfenster::knoepfeAnpassen()
{
    const QList<int> zeilen = gewaehlteZeilen();
    const bool mitLink
        = std::any_of(zeilen.cbegin(), zeilen.cend(), [this](int z) { return !m_modell.eintrag(z).link.isEmpty(); });
    m_linkKopieren->setEnabled(mitLink);
    m_htmlKopieren->setEnabled(mitLink);
    m_oeffnen->setEnabled(
        std::any_of(zeilen.cbegin(), zeilen.cend(), [this](int z) { return istWebadresse(m_modell.eintrag(z).link); }));
    m_entfernen->setEnabled(!zeilen.isEmpty());
    m_serverLoeschen->setEnabled(
        std::any_of(zeilen.cbegin(), zeilen.cend(), [this](int z) { return loeschbar(m_modell.eintrag(z)); }));
}

void Verlaufsfenster::melden(const QString& text)
{
    m_meldung->setText(text);
    m_meldung->setAccessibleDescription(text);
}

void Verlaufsfenster::linkKopieren()
{
    QStringList links;
    for (const int z : gewaehlteZeilen())
        if (!m_modell.eintrag(z).link.isEmpty())
            links.append(m_modell.eintrag(z).link);
    if (links.isEmpty())
        return;
    m_zwischenablage.textSetzen(links.join(u'\n'));
    melden(links.size() == 1 ? QStringLiteral("URL in der Zwischenablage.")
                             : QStringLiteral("%1 URLs in der Zwischenablage.").arg(links.size()));
}

void Verlaufsfenster::htmlKopieren()
{
    QStringList schnipsel;
    for (const int z : gewaehlteZeilen()) {
        const Verlaufseintrag& e = m_modell.eintrag(z);
        if (!e.link.isEmpty())
            schnipsel.append(htmlSchnipsel(e.link, e.datei));
    }
    if (schnipsel.isEmpty())
        return;
    m_zwischenablage.textSetzen(schnipsel.join(u'\n'));
    melden(QStringLiteral("HTML in der Zwischenablage."));
}

void Verlaufsfenster::imBrowserOeffnen()
{
    for (const int z : gewaehlteZeilen())
        if (istWebadresse(m_modell.eintrag(z).link))
            QDesktopServices::openUrl(QUrl(m_modell.eintrag(z).link));
}

void Verlaufsfenster::ausDemVerlaufEntfernen()
{
    const QList<int> zeilen = gewaehlteZeilen();
    if (zeilen.isEmpty())
        return;
    const QString frage = zeilen.size() == 1
        ? QStringLiteral("Den Eintrag „%1“ aus dem Verlauf entfernen? Das Bild bleibt auf dem Server.")
              .arg(m_modell.data(m_modell.index(zeilen.first(), Verlaufsmodell::Name)).toString())
        : QStringLiteral("Die %1 gewählten Einträge aus dem Verlauf entfernen? Die Bilder bleiben auf dem Server.")
              .arg(zeilen.size());
    if (!m_dialoge.meldung(frage, QStringLiteral("Aus dem Verlauf entfernen"), Meldungsstil::FrageJaNein))
        return;
    // From the last row up, so the rows still to go keep their numbers.
    for (auto z = zeilen.crbegin(); z != zeilen.crend(); ++z) {
        QString fehler;
        if (!m_speicher.entfernen(m_modell.eintrag(*z).id, fehler)) {
            m_dialoge.meldung(fehler, QStringLiteral("Verlauf"), Meldungsstil::Kritisch);
            break;
        }
        m_modell.zeileEntfernen(*z);
    }
    melden(QStringLiteral("Aus dem Verlauf entfernt."));
    knoepfeAnpassen();
}

void Verlaufsfenster::vomServerLoeschen()
{
    QList<int> zeilen = gewaehlteZeilen();
    zeilen.removeIf([this](int z) { return !loeschbar(m_modell.eintrag(z)); });
    if (zeilen.isEmpty())
        return;
    const QString frage = zeilen.size() == 1
        ? QStringLiteral("Das Bild „%1“ vom Server löschen? Seine URL führt dann ins Leere.")
              .arg(m_modell.data(m_modell.index(zeilen.first(), Verlaufsmodell::Name)).toString())
        : QStringLiteral("Die %1 gewählten Bilder vom Server löschen? Ihre URLs führen dann ins Leere.")
              .arg(zeilen.size());
    if (!m_dialoge.meldung(frage, QStringLiteral("Vom Server löschen"), Meldungsstil::FrageJaNein))
        return;
    int geloescht = 0;
    for (const int z : zeilen) {
        QString fehler;
        const Loeschergebnis ergebnis
            = ::vomServerLoeschen(m_modell.eintrag(z), m_einstellungen, m_passwoerter, m_dialoge, fehler);
        if (ergebnis == Loeschergebnis::Abgebrochen)
            break;
        if (ergebnis == Loeschergebnis::Gescheitert) {
            m_dialoge.meldung(fehler, QStringLiteral("Nicht gelöscht"), Meldungsstil::Kritisch);
            continue;
        }
        const QDateTime jetzt = QDateTime::currentDateTimeUtc();
        // The picture is gone either way; a history that cannot say so is told, the row shows it still.
        if (!m_speicher.geloeschtVermerken(m_modell.eintrag(z).id, jetzt, fehler))
            m_dialoge.meldung(fehler, QStringLiteral("Verlauf"), Meldungsstil::Kritisch);
        m_modell.geloeschtSetzen(z, jetzt);
        ++geloescht;
    }
    melden(zeilen.size() == 1
            ? (geloescht == 1 ? QStringLiteral("Vom Server gelöscht.") : QStringLiteral("Nicht vom Server gelöscht."))
            : QStringLiteral("%1 von %2 Bildern vom Server gelöscht.").arg(geloescht).arg(zeilen.size()));
    knoepfeAnpassen();
}
