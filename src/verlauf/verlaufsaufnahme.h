#pragma once

#include <QString>

struct Verlaufseintrag;

// Where the run records a successful upload. Called once per picture that
// arrived, never for a failed or stopped one.
class Verlaufsaufnahme {
public:
    virtual ~Verlaufsaufnahme() = default;
    // Called as an upload starts, so the history can be made ready while the picture goes up.
    virtual void vorbereiten() { }
    // "" when all went well; otherwise a German sentence for the user: the row
    // could not be written, or a damaged history was moved aside first.
    virtual QString eintragen(const Verlaufseintrag& eintrag) = 0;
};
