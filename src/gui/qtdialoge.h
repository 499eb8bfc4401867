#pragma once

#include "app/dialoge.h"

// The run's dialogs as real modal Qt boxes with German buttons.
class QtDialoge : public Dialoge {
public:
    bool meldung(const QString& text, const QString& titel, Meldungsstil stil) override;
    QString passwortAbfragen(const QString& aufforderung, const QString& titel) override;
};
