#pragma once

#include "settings/passwortablage.h"
#include "verlauf/verlaufsmodell.h"

#include <QSortFilterProxyModel>
#include <QWidget>

class Dialoge;
class Einstellungsspeicher;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class Schluesselbund;
class Verlaufsspeicher;
class Zwischenablage;

// The upload history: every picture sent, newest first, with a search field
// and buttons that act on the selected rows. Enter copies the links, Delete
// removes the rows from the history, Ctrl+F goes to the search field.
class Verlaufsfenster : public QWidget {
    Q_OBJECT

public:
    Verlaufsfenster(Verlaufsspeicher& speicher, Einstellungsspeicher& einstellungen, Schluesselbund& schluesselbund,
        Dialoge& dialoge, Zwischenablage& zwischenablage, QWidget* eltern = nullptr);

    // Reads the history; false with the reason when it cannot be read.
    bool laden(QString& fehler);

private:
    // The model rows of the selection, in ascending order.
    QList<int> gewaehlteZeilen() const;
    void linkKopieren();
    void htmlKopieren();
    void imBrowserOeffnen();
    void ausDemVerlaufEntfernen();
    void vomServerLoeschen();
    void knoepfeAnpassen();
    void melden(const QString& text);

    Verlaufsspeicher& m_speicher;
    Einstellungsspeicher& m_einstellungen;
    Passwortablage m_passwoerter;
    Dialoge& m_dialoge;
    Zwischenablage& m_zwischenablage;
    Verlaufsmodell m_modell;
    QSortFilterProxyModel m_filter;
    QLineEdit* m_suche;
    QTableView* m_tabelle;
    QPushButton* m_linkKopieren;
    QPushButton* m_htmlKopieren;
    QPushButton* m_oeffnen;
    QPushButton* m_entfernen;
    QPushButton* m_serverLoeschen;
    QLabel* m_meldung;
};
