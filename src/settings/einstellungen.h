#pragma once

#include "settings/optionen.h"

#include <QString>

class Einstellungsspeicher;
class Passwortablage;
class Steuerelemente;

// Why the store could not be read or written: its place and the system's reason.
struct Speicherfehler {
    enum class Art { Keiner, Lesen, Schreiben };
    Art art = Art::Keiner;
    QString ort;
    QString grund;

    explicit operator bool() const { return art != Art::Keiner; }
};

// Carries the settings store -> controls -> Optionen (load) and
// controls -> Optionen -> store (apply). The controls are the only path between
// store and record, so what the window shows is always what the run uses.
class Einstellungen {
public:
    // Without a Passwortablage the password lives in the store, as it did before the keyring.
    Einstellungen(Optionen& optionen, Steuerelemente& steuerelemente, Einstellungsspeicher& speicher,
        Passwortablage* passwortablage = nullptr);

    // Returns whether the stored settings suffice for a transfer. A store that
    // exists but cannot be read loads as empty and is not written back, so it
    // keeps what it holds; fehler then says so, as it does when the rewrite failed.
    bool einstellungenLaden(Speicherfehler& fehler);
    // False when the store could not be written; the controls and the record
    // keep what was applied, and fehler says why.
    bool einstellungenUebernehmen(Speicherfehler& fehler);
    bool einstellungenSpeichern(Speicherfehler& fehler);

private:
    // Controls to record, with the closing "/" of FTPPath and URL.
    void datensatzFuellen();

    Optionen& m_optionen;
    Steuerelemente& m_steuerelemente;
    Einstellungsspeicher& m_speicher;
    Passwortablage* m_passwortablage;
};
