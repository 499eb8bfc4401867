#include "links/linkwahl.h"

#include "links/linktext.h"
#include "settings/optionen.h"

Linkwahl linkWaehlen(const QString& bildhostLink, const QString& quoteFreeName, const QString& shortPath,
    const FeldArray& bildEndungen, const Optionen& optionen)
{
    Linkwahl wahl;
    if (optionen.useIS) {
        wahl.adresse = bildhostLink;
    } else {
        // Without the web address of the FTP folder nothing can point at the file.
        if (optionen.URL.trimmed().isEmpty())
            return wahl;
        wahl.adresse = ftpLink(optionen.URL, quoteFreeName);
    }

    if (optionen.LinkOption == 1)
        wahl.zwischenablage = wahl.adresse;
    else if (optionen.LinkOption == 2)
        wahl.zwischenablage = htmlSchnipsel(wahl.adresse, bildEndungen, shortPath);
    return wahl;
}
