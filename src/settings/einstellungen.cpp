#include "settings/einstellungen.h"

#include "settings/einstellungsspeicher.h"
#include "settings/steuerelemente.h"
#include "text/textfunktionen.h"

namespace {
const QString wahr = QStringLiteral("Wahr");
const QString falsch = QStringLiteral("Falsch");

// Only "/" counts as a closing separator; a trailing backslash still gets one.
void schraegstrichAnhaengen(Steuerelemente& s, int nummer)
{
    const QString text = s.text(nummer);
    if (!text.isEmpty() && !text.endsWith(u'/'))
        s.setText(nummer, text + u'/');
}
} // namespace

Einstellungen::Einstellungen(Optionen& optionen, Steuerelemente& steuerelemente, Einstellungsspeicher& speicher)
    : m_optionen(optionen)
    , m_steuerelemente(steuerelemente)
    , m_speicher(speicher)
{
}

bool Einstellungen::einstellungenLaden(Speicherfehler& fehler)
{
    Steuerelemente& s = m_steuerelemente;
    // Read as empty, a store the user cannot read would be written over with
    // empty values by the rewrite below.
    const QString lesefehler = m_speicher.lesefehler();
    const QString textSchluessel[] = { QStringLiteral("FTPServer"), QStringLiteral("FTPLogin"),
        QStringLiteral("FTPPassword"), QStringLiteral("FTPPath"), QStringLiteral("FTPProxy"),
        QStringLiteral("FTPProxyPort"), QStringLiteral("URL") };
    for (int i = 0; i < 7; ++i)
        s.setText(i + 1, m_speicher.lesen(textSchluessel[i]));

    // The words are compared exactly: "wahr" is not "Wahr".
    s.setAngehakt(1, m_speicher.lesen(QStringLiteral("FTPUseProxy")) == wahr);
    s.setAngehakt(3, m_speicher.lesen(QStringLiteral("StatusfensterZeigen")) != falsch);
    s.setAngehakt(2, m_speicher.lesen(QStringLiteral("FTPPassiv")) != falsch);
    s.proxyRegelAnwenden();

    const QString linkOption = m_speicher.lesen(QStringLiteral("LinkOption"));
    bool istZahl = false;
    const int index = linkOption.trimmed().toInt(&istZahl);
    if (istZahl)
        s.optionWaehlen(index);

    s.setAngehakt(4, m_speicher.lesen(QStringLiteral("useIS")) == wahr);
    s.bildhostRegelAnwenden();

    if (lesefehler.isEmpty()) {
        einstellungenUebernehmen(fehler);
    } else {
        datensatzFuellen();
        fehler = { Speicherfehler::Art::Lesen, m_speicher.ort(), lesefehler };
    }

    const Optionen& o = m_optionen;
    bool vollstaendig = !o.FTPLogin.trimmed().isEmpty() && !o.FTPServer.trimmed().isEmpty();
    if (!vollstaendig && o.useIS)
        vollstaendig = true;
    if (o.FTPProxy.isEmpty() && o.FTPUseProxy)
        vollstaendig = false;
    return vollstaendig;
}

bool Einstellungen::einstellungenUebernehmen(Speicherfehler& fehler)
{
    datensatzFuellen();
    return m_optionen.parameterModus || einstellungenSpeichern(fehler);
}

void Einstellungen::datensatzFuellen()
{
    Steuerelemente& s = m_steuerelemente;
    Optionen& o = m_optionen;
    o.FTPServer = s.text(1);
    o.FTPLogin = s.text(2);
    o.FTPPassword = s.text(3);
    schraegstrichAnhaengen(s, 4);
    o.FTPPath = s.text(4);
    o.FTPPassiv = s.istAngehakt(2);
    o.FTPUseProxy = s.istAngehakt(1);
    o.StatusfensterZeigen = s.istAngehakt(3);
    o.FTPProxy = s.text(5);
    o.FTPProxyPort = s.text(6);
    o.LinkOption = s.aktiveOptionFinden();
    o.useIS = s.istAngehakt(4);
    schraegstrichAnhaengen(s, 7);
    o.URL = s.text(7);
}

bool Einstellungen::einstellungenSpeichern(Speicherfehler& fehler)
{
    const Optionen& o = m_optionen;
    QString grund;
    const bool geschrieben = m_speicher.schreiben(
        {
            { QStringLiteral("FTPServer"), o.FTPServer },
            { QStringLiteral("FTPLogin"), o.FTPLogin },
            { QStringLiteral("FTPPassword"), o.FTPPassword },
            { QStringLiteral("FTPPath"), o.FTPPath },
            { QStringLiteral("FTPPassiv"), boolean2string(o.FTPPassiv) },
            { QStringLiteral("FTPProxy"), o.FTPProxy },
            { QStringLiteral("FTPProxyPort"), o.FTPProxyPort },
            { QStringLiteral("URL"), o.URL },
            { QStringLiteral("FTPUseProxy"), boolean2string(o.FTPUseProxy) },
            { QStringLiteral("LinkOption"), QString::number(o.LinkOption) },
            { QStringLiteral("StatusfensterZeigen"), boolean2string(o.StatusfensterZeigen) },
            { QStringLiteral("useIS"), boolean2string(o.useIS) },
        },
        grund);
    if (!geschrieben)
        fehler = { Speicherfehler::Art::Schreiben, m_speicher.ort(), grund };
    return geschrieben;
}
