#include "app/parameter.h"

#include "app/dialoge.h"
#include "app/hilfetext.h"
#include "app/parameterzerlegung.h"

QString parameterAuswerten(const QString& argumentString, Optionen& optionen, Dialoge& dialoge)
{
    const Parameterergebnis ergebnis = parameterZerlegen(argumentString, optionen);
    switch (ergebnis.meldung) {
    case Parametermeldung::Keine:
        break;
    case Parametermeldung::UngueltigerParameter:
        dialoge.meldung(QStringLiteral("Es wurde ein ungültiger Parameter (") + ergebnis.ungueltigesStueck
                + QStringLiteral(") angegeben!"),
            QStringLiteral("Fehlerhafter Parameter"), Meldungsstil::Kritisch);
        hilfeAnzeigen(dialoge);
        break;
    case Parametermeldung::FehlenderDateiname:
        dialoge.meldung(QStringLiteral("Es wurde kein Dateiname angegeben.\r\n"
                                       "Bei Verwendung von Befehlszeilenparametern muß der Dateiname nach dem "
                                       "Parameter /file: folgen!"),
            QStringLiteral("Fehlender Dateiname"), Meldungsstil::Kritisch);
        break;
    }
    return ergebnis.dateiname;
}
