#pragma once

#include "settings/steuerelemente.h"

// The settings window as the run sees it: its controls plus showing and hiding.
class Einstellungsfenster : public Steuerelemente {
public:
    virtual void setTitel(const QString& titel) = 0;
    // The image host the check box offers, as the run will use it.
    virtual void setBildhost(const QString& host) = 0;
    virtual void verbergen() = 0;
    // Shown modeless; the run returns and the program lives in the window.
    virtual void zeigen() = 0;
    virtual void okAktivieren(bool aktiv) = 0;
    // The line under the password box that says the password goes into the settings file.
    virtual void passwortHinweisZeigen(bool zeigen) = 0;
};
