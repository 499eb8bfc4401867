#pragma once

#include "settings/optionen.h"

#include <QString>

class Dialoge;
class Einstellungsfenster;
class Einstellungsspeicher;
class Instanzsperre;
class NachUpload;
class Statusanzeige;
class Uebertragung;
struct Speicherfehler;

// How a pass of the run ended.
enum class Laufende {
    Hochgeladen, // the picture is up; the process ends with success
    Abgebrochen, // the user answered "Nein" to the size question, or stopped the transfer with a click
    Fehlgeschlagen, // a check or the transfer failed and the process ends
    FensterOffen, // the settings window is open and the program lives on in it
};

// Exit status of the process for an end of the run.
int exitStatus(Laufende ende);

// One program start: refuses a second instance, loads the settings, reads the
// command line, checks the file, transfers it and hands out the link - or
// leaves the settings window open. "OK" in that window runs it again.
class Startlauf {
public:
    struct Teile {
        Dialoge& dialoge;
        Einstellungsfenster& fenster;
        Einstellungsspeicher& speicher;
        Instanzsperre& sperre;
        Uebertragung& uebertragung;
        Statusanzeige& status;
        NachUpload& nachUpload;
    };

    // einzigeDatei: the file a single argument named (dateiAlsEinzigesArgument);
    // when set, it is the picture as written and the argument string is not read.
    Startlauf(Teile teile, QString argumentString, QString einzigeDatei = QString());

    Laufende ausfuehren();
    // The buttons of the settings window that touch the run: both apply the
    // window to Optionen (storing it outside parameter mode); "OK" then runs
    // again. When the store cannot be written a box says so and the window
    // stays open with what was typed: "Übernehmen" gives false, "OK" FensterOffen.
    // A click while the run is under way changes nothing and gives the same.
    bool uebernehmenGeklickt();
    Laufende okGeklickt();

    // True while a pass or an apply is under way. A transfer and every box run
    // an event loop of their own, where clicks that waited for the window still
    // arrive: those must not apply, start or end anything in the middle of it.
    bool laeuft() const { return m_laeuft; }

    Optionen& optionen() { return m_optionen; }
    const QString& fehlerText() const { return m_fehlerText; }
    // The link handed out by the last successful pass.
    const QString& link() const { return m_link; }

private:
    Laufende durchlauf();
    bool anwenden();
    Laufende dateiSenden(const QString& gegebenerName, bool woertlich);
    Laufende fensterZeigen(bool ohneDatei);
    void speicherfehlerMelden(const Speicherfehler& fehler);

    Teile m_teile;
    QString m_argumentString;
    QString m_einzigeDatei;
    Optionen m_optionen;
    QString m_fehlerText;
    QString m_link;
    bool m_laeuft = false;
};
