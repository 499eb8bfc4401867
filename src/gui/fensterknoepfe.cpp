#include "gui/fensterknoepfe.h"

#include "app/startlauf.h"
#include "gui/form1.h"

#include <cstdio>

void fensterknoepfeVerbinden(Form1& form1, Startlauf& lauf, const std::function<void(int)>& beenden)
{
    form1.uebernehmenHandler = [&lauf] { lauf.uebernehmenGeklickt(); };
    form1.abbrechenHandler = [&lauf, beenden] {
        if (lauf.laeuft())
            return false;
        beenden(0);
        return true;
    };
    form1.okHandler = [&lauf, &form1, beenden] {
        const Laufende ende = lauf.okGeklickt();
        if (ende != Laufende::FensterOffen) {
            form1.hide();
            beenden(exitStatus(ende));
        }
    };
}

void linkAusgeben(const QString& link)
{
    std::fputs((link + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}
