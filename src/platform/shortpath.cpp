#include "platform/shortpath.h"

#include "text/textfunktionen.h"

QString ShortPath(QString& path)
{
    path = ohneAnfuehrungszeichen(path);
    return kurzform(path);
}
