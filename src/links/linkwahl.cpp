#include "links/linkwahl.h"

#include "links/linktext.h"
#include "settings/optionen.h"
#include "transfer/bilddatei.h"

Linkwahl linkWaehlen(const QString& bildhostLink, const Bilddatei& datei, const Optionen& optionen)
{
    Linkwahl wahl;
    if (optionen.useIS) {
        wahl.adresse = bildhostLink;
    } else {
        // Without the web address of the FTP folder nothing can point at the file.
        if (optionen.URL.trimmed().isEmpty())
            return wahl;
        wahl.adresse = ftpLink(optionen.URL, datei.langerName);
    }

    if (optionen.LinkOption == Zwischenablageinhalt::Adresse)
        wahl.zwischenablage = wahl.adresse;
    else if (optionen.LinkOption == Zwischenablageinhalt::HtmlCode)
        wahl.zwischenablage = htmlSchnipsel(wahl.adresse, datei.kurzerPfad);
    return wahl;
}
