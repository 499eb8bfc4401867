#include "transfer/bilddatei.h"

#include "platform/shortpath.h"
#include "text/textfunktionen.h"
#include "transfer/ftpadresse.h"

Bilddatei bilddateiAus(const QString& gegebenerName, bool woertlich)
{
    Bilddatei datei;
    datei.pfad = woertlich ? gegebenerName : ohneAnfuehrungszeichen(gegebenerName);
    datei.kurzerPfad = ShortPath(datei.pfad);
    datei.langerName = langerName(datei.pfad);
    return datei;
}

bool hatBildEndung(const QString& name)
{
    // In lower case: only the end of name is lower-cased before it is compared.
    static const FeldArray bildEndungen{ QString(), QStringLiteral(".jpg"), QStringLiteral(".jpeg"),
        QStringLiteral(".gif"), QStringLiteral(".png") };
    return rechts_enthalten(bildEndungen, name);
}
