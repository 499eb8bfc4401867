#pragma once

#include "settings/optionen.h"
#include "settings/steuerelemente.h"

#include <QString>

#include <span>
#include <variant>

// How a text setting ends when it is applied. Folders and addresses get a
// closing "/", so that a file name can follow.
enum class Abschluss { WieGetippt, Schraegstrich };

// A setting typed into a text box and stored as typed.
struct Texteinstellung {
    QString Optionen::*feld;
    Textfeld steuerelement;
    Abschluss abschluss = Abschluss::WieGetippt;
};

// Which exact word of the store decides a check box; any other word, or none,
// gives the opposite ("wahr" is not "Wahr").
enum class Wortregel { NurWahrHaktAn, NurFalschHaktAus };

// A setting ticked in a check box and stored as "Wahr" or "Falsch".
struct Hakeneinstellung {
    bool Optionen::*feld;
    Haken steuerelement;
    Wortregel regel;
};

// The option group, stored as the number of the selected option.
struct Optionseinstellung {
    Zwischenablageinhalt Optionen::*feld;
};

struct Einstellung {
    QString schluessel;
    std::variant<Texteinstellung, Hakeneinstellung, Optionseinstellung> art;
};

// Every setting of the store with the field of Optionen and the control that
// carry it, in the order the store is written.
std::span<const Einstellung> einstellungstabelle();
