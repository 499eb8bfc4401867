#include "settings/herstellerseiten.h"

namespace Herstellerseiten {
QString programmseite()
{
    return QStringLiteral("https://www.morva.de/programme/");
}

QString verweiswerkseite()
{
    return programmseite() + QStringLiteral("#verweiswerk");
}

QString anzeigeadresse()
{
    return QStringLiteral("www.morva.de");
}
} // namespace Herstellerseiten
