#include "links/linkaktion.h"

#include "links/linkwahl.h"
#include "links/zwischenablage.h"
#include "settings/optionen.h"

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

void Linkaktion::vorbereiten(const Optionen& optionen)
{
    if (optionen.LinkOption == Zwischenablageinhalt::Adresse || optionen.LinkOption == Zwischenablageinhalt::HtmlCode)
        m_zwischenablage.vorbereiten();
}
