#include "gui/programmteile.h"

#include "gui/fensterknoepfe.h"
#include "gui/form1.h"
#include "gui/programmsymbol.h"

#include <QGuiApplication>
#include <QTimer>

Programmteile::Programmteile(QString argumente, QStringList dateien, std::function<void(int)> beenden)
    : m_beenden(std::move(beenden))
    , m_fenster([this]() -> Einstellungsfenster& { return fensterBauen(); })
    , m_linkaktion(m_zwischenablage)
    , m_lauf({ m_dialoge, m_fenster, m_speicher, m_sperre, m_uebertragung, m_status, m_linkaktion, m_schluesselbund,
                 &m_verlauf, &m_benachrichtigung },
          std::move(argumente), std::move(dateien))
{
    m_status.zeigenWenn([this] { return m_lauf.optionen().StatusfensterZeigen; });
    m_lauf.beiJedemLink(linkAusgeben);
}

Programmteile::~Programmteile() = default;

Einstellungsfenster& Programmteile::fensterBauen()
{
    m_form1 = std::make_unique<Form1>();
    fensterknoepfeVerbinden(*m_form1, m_lauf, m_beenden);
    // The theme's icon, the same picture in more sizes, once the window is on its way to the screen:
    // reading the theme's index (hicolor's has 3,800 lines) took 5 ms, a fifth of the window's start.
    // The boxes that follow the window show it too.
    QTimer::singleShot(0, m_form1.get(), [fenster = m_form1.get()] {
        const QIcon symbol = programmSymbol();
        QGuiApplication::setWindowIcon(symbol);
        fenster->setWindowIcon(symbol);
    });
    return *m_form1;
}
