#include "app/verzoegertesfenster.h"

VerzoegertesFenster::VerzoegertesFenster(std::function<Einstellungsfenster&()> bauen)
    : m_bauen(std::move(bauen))
{
}

Steuerelemente& VerzoegertesFenster::steuerelemente()
{
    return m_fenster ? static_cast<Steuerelemente&>(*m_fenster) : m_werte;
}

const Steuerelemente& VerzoegertesFenster::steuerelemente() const
{
    return m_fenster ? static_cast<const Steuerelemente&>(*m_fenster) : m_werte;
}

QString VerzoegertesFenster::text(Textfeld feld) const
{
    return steuerelemente().text(feld);
}

void VerzoegertesFenster::setText(Textfeld feld, const QString& text)
{
    steuerelemente().setText(feld, text);
}

bool VerzoegertesFenster::istAngehakt(Haken haken) const
{
    return steuerelemente().istAngehakt(haken);
}

void VerzoegertesFenster::setAngehakt(Haken haken, bool angehakt)
{
    steuerelemente().setAngehakt(haken, angehakt);
}

void VerzoegertesFenster::optionWaehlen(Zwischenablageinhalt option)
{
    steuerelemente().optionWaehlen(option);
}

Zwischenablageinhalt VerzoegertesFenster::aktiveOptionFinden() const
{
    return steuerelemente().aktiveOptionFinden();
}

void VerzoegertesFenster::proxyRegelAnwenden()
{
    steuerelemente().proxyRegelAnwenden();
}

void VerzoegertesFenster::bildhostRegelAnwenden()
{
    steuerelemente().bildhostRegelAnwenden();
}

void VerzoegertesFenster::setTitel(const QString& titel)
{
    m_titel = titel;
    if (m_fenster)
        m_fenster->setTitel(titel);
}

void VerzoegertesFenster::setBildhost(const QString& host)
{
    m_bildhost = host;
    if (m_fenster)
        m_fenster->setBildhost(host);
}

void VerzoegertesFenster::verbergen()
{
    if (m_fenster)
        m_fenster->verbergen();
}

void VerzoegertesFenster::okAktivieren(bool aktiv)
{
    m_okAktiv = aktiv;
    if (m_fenster)
        m_fenster->okAktivieren(aktiv);
}

void VerzoegertesFenster::passwortHinweisZeigen(bool zeigen)
{
    m_passwortHinweis = zeigen;
    if (m_fenster)
        m_fenster->passwortHinweisZeigen(zeigen);
}

void VerzoegertesFenster::zeigen()
{
    if (!m_fenster) {
        m_fenster = &m_bauen();
        m_werte.uebertragen(*m_fenster);
        m_fenster->setTitel(m_titel);
        if (!m_bildhost.isEmpty())
            m_fenster->setBildhost(m_bildhost);
        m_fenster->okAktivieren(m_okAktiv);
        m_fenster->passwortHinweisZeigen(m_passwortHinweis);
    }
    m_fenster->zeigen();
}
