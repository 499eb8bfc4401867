#include "gui/statusfensteranzeige.h"

#include "gui/statusfenster.h"

Statusfensteranzeige::Statusfensteranzeige()
    : m_zeigen([] { return true; })
{
}

Statusfensteranzeige::~Statusfensteranzeige() = default;

void Statusfensteranzeige::zeigenWenn(std::function<bool()> zeigen)
{
    m_zeigen = std::move(zeigen);
}

void Statusfensteranzeige::status(const QString& text)
{
    if (!m_zeigen())
        return;
    if (text.isEmpty()) {
        machmichweg();
    } else {
        if (!m_fenster)
            fensterOeffnen();
        m_fenster->show();
        m_fenster->statusinfoSetzen(text);
    }
}

void Statusfensteranzeige::bildzeile(const QString& text)
{
    m_bildzeile = text;
    if (m_fenster)
        m_fenster->bildzeileSetzen(text);
}

void Statusfensteranzeige::fensterOeffnen()
{
    m_abbruch = false;
    m_fenster = std::make_unique<statusfenster>();
    if (!m_bildzeile.isEmpty())
        m_fenster->bildzeileSetzen(m_bildzeile);
    QObject::connect(m_fenster.get(), &statusfenster::angeklickt, [this] { m_abbruch = true; });
}

void Statusfensteranzeige::fortschritt(qint64 gesendet, qint64 gesamt)
{
    if (m_zeigen() && m_fenster)
        m_fenster->fortschritt(gesendet, gesamt);
}

void Statusfensteranzeige::machmichweg()
{
    if (!m_fenster)
        return;
    m_fenster.reset();
}
