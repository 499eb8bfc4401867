#pragma once

#include <QString>

// Icon and buttons of a message box, by the values the texts of the program were written for.
enum class Meldungsstil {
    Keins = 0,
    Kritisch = 16,
    FrageJaNein = 36,
    Ausrufezeichen = 48,
    Information = 64,
};

// Everything the run asks the user. The program shows real dialogs; tests
// script the answers and read back what was shown.
class Dialoge {
public:
    virtual ~Dialoge() = default;

    // A modal box with a single OK button (or Yes/No for FrageJaNein, then true for Yes).
    virtual bool meldung(const QString& text, const QString& titel, Meldungsstil stil) = 0;

    // The masked password prompt: the typed text unchanged, or "" on Cancel or close.
    virtual QString passwortAbfragen(const QString& aufforderung, const QString& titel) = 0;
};
