#pragma once

#include "settings/optionen.h"
#include "settings/passwortablage.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Benachrichtigung;
class Dialoge;
class Einstellungsfenster;
class Einstellungsspeicher;
class Instanzsperre;
class NachUpload;
class Schluesselbund;
class Statusanzeige;
class Uebertragung;
class Verlaufsaufnahme;
struct Bilddatei;
struct Speicherfehler;
enum class FtpErgebnis;

// How a pass of the run ended.
enum class Laufende {
    Hochgeladen, // the picture is up (every picture, when several were given); the process ends with success
    Abgebrochen, // the user answered "Nein" to the size question, or stopped the transfer with a click
    Fehlgeschlagen, // a check or the transfer failed (of any one of several pictures) and the process ends
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
        Schluesselbund& schluesselbund;
        // Where every successful upload is recorded; none, nothing is recorded.
        Verlaufsaufnahme* verlauf = nullptr;
        // Told once a run of its successful uploads while the status window is on; none, no one is.
        Benachrichtigung* benachrichtigung = nullptr;
    };

    // dateien: the files the arguments named as written - the one of
    // dateiAlsEinzigesArgument, or the several of istDateiliste. When given,
    // they are the pictures and the argument string is not read. Several go
    // up one after another; a failed one does not stop the rest, and one box
    // at the end lists what did not go up.
    Startlauf(Teile teile, QString argumentString, QStringList dateien = {});

    // Called with every link as its picture goes up, so several reach a
    // script one by one; not for a picture without an address.
    void beiJedemLink(std::function<void(const QString&)> melden);

    // Makes ready what an upload will need, before the run has read its settings: the history's
    // file is opened beside the rest of the start. hochladen() does it too, where it was not done.
    void vorbereiten();
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
    // The link handed out by the last successful upload.
    const QString& link() const { return m_link; }

private:
    Laufende durchlauf();
    bool anwenden();
    Laufende dateiSenden(const QString& gegebenerName, bool woertlich);
    Laufende dateienSenden();
    enum class Hindernis { Keins, Fehlt, NichtFuerBildhost };
    Hindernis hindernis(const Bilddatei& datei) const;
    FtpErgebnis hochladen(const Bilddatei& datei, QString& link, std::optional<Laufende>& ende);
    FtpErgebnis ftpHochladen(const Bilddatei& datei, std::optional<Laufende>& ende);
    void linkWeitergeben(const QString& link, const Bilddatei& datei);
    void benachrichtigen();
    Laufende fensterZeigen(bool ohneDatei);
    void speicherfehlerMelden(const Speicherfehler& fehler);
    void schluesselbundMelden();

    Teile m_teile;
    QString m_argumentString;
    QStringList m_dateien;
    std::function<void(const QString&)> m_linkMelden;
    Optionen m_optionen;
    Passwortablage m_passwortablage;
    QString m_fehlerText;
    QString m_link;
    // What the run has sent so far, for the one notification at its end.
    QStringList m_gesendeteLinks;
    bool m_gesendet = false;
    bool m_laeuft = false;
};
