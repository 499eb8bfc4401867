#include "links/linkaktion.h"

#include "links/bildgroesse.h"
#include "links/linkwahl.h"
#include "links/zwischenablage.h"
#include "settings/optionen.h"
#include "transfer/bilddatei.h"

Linkaktion::Linkaktion(Zwischenablage& zwischenablage)
    : m_zwischenablage(zwischenablage)
{
}

QString Linkaktion::ausfuehren(const QString& link, const Bilddatei& datei, const Optionen& optionen)
{
    const Linkwahl wahl = linkWaehlen(link, datei, optionen);
    if (wahl.zwischenablage) {
        m_zeilen.append(*wahl.zwischenablage);
        m_zwischenablage.textSetzen(m_zeilen.join(u'\n'));
    }
    return wahl.adresse;
}

void Linkaktion::vorbereiten(const Bilddatei& datei, const Optionen& optionen)
{
    if (optionen.LinkOption == Zwischenablageinhalt::Adresse || optionen.LinkOption == Zwischenablageinhalt::HtmlCode)
        m_zwischenablage.vorbereiten();
    // The snippet's size is read by Qt's plugin for the picture's format, which the first reading
    // loads (0.5 ms here). Read now, while the transfer waits for libcurl, the link does not wait
    // for the plugin after the transfer.
    if (optionen.LinkOption == Zwischenablageinhalt::HtmlCode)
        bildgroesseAttribute(datei.kurzerPfad);
}
