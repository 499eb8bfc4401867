#pragma once

#include "app/lockdatei.h"
#include "app/startlauf.h"
#include "app/verzoegertesfenster.h"
#include "gui/qtdialoge.h"
#include "gui/statusfensteranzeige.h"
#include "links/linkaktion.h"
#include "links/qtzwischenablage.h"
#include "platform/desktopbenachrichtigung.h"
#include "settings/einstellungsspeicher.h"
#include "settings/qtschluesselbund.h"
#include "transfer/netzuebertragung.h"
#include "verlauf/verlaufsschreiber.h"

#include <functional>
#include <memory>

class Form1;

// The program's parts as it runs them. The settings window Form1 is built,
// and the icon theme asked, only when the window is first shown: an upload
// shows the status window and the boxes it needs and builds nothing else.
class Programmteile {
public:
    // beenden ends the program with an exit status once the current event has been handled.
    Programmteile(QString argumente, QStringList dateien, std::function<void(int)> beenden);
    ~Programmteile();

    Startlauf& lauf() { return m_lauf; }

private:
    Einstellungsfenster& fensterBauen();

    std::function<void(int)> m_beenden;
    std::unique_ptr<Form1> m_form1;
    VerzoegertesFenster m_fenster;
    QtDialoge m_dialoge;
    Einstellungsspeicher m_speicher;
    Lockdatei m_sperre;
    Netzuebertragung m_uebertragung;
    Statusfensteranzeige m_status;
    QtZwischenablage m_zwischenablage;
    Linkaktion m_linkaktion;
    QtSchluesselbund m_schluesselbund;
    Verlaufsschreiber m_verlauf;
    Desktopbenachrichtigung m_benachrichtigung;
    Startlauf m_lauf;
};
