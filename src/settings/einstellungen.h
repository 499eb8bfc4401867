#pragma once

#include "settings/optionen.h"

class Einstellungsspeicher;
class Steuerelemente;

// Carries the settings store -> controls -> Optionen (load) and
// controls -> Optionen -> store (apply). The controls are the only path between
// store and record, so what the window shows is always what the run uses.
class Einstellungen {
public:
    Einstellungen(Optionen& optionen, Steuerelemente& steuerelemente, Einstellungsspeicher& speicher);

    // Returns whether the stored settings suffice for a transfer.
    bool einstellungenLaden();
    void einstellungenUebernehmen();
    void einstellungenSpeichern();

private:
    Optionen& m_optionen;
    Steuerelemente& m_steuerelemente;
    Einstellungsspeicher& m_speicher;
};
