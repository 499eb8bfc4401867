#include "gui/statusfensteranzeige.h"

#include "app/meldungstexte.h"
#include "gui/statusfenster.h"

#include <QMessageBox>
#include <QPushButton>

#include <utility>

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
    m_text = text;
    if (text.isEmpty()) {
        machmichweg();
    } else if (m_fenster) {
        m_fenster->show();
        m_fenster->statusinfoSetzen(text);
    } else if (!std::exchange(m_angefordert, true)) {
        QMetaObject::invokeMethod(
            &m_kontext,
            [this] {
                if (!std::exchange(m_angefordert, false) || m_fenster)
                    return;
                fensterOeffnen();
                m_fenster->show();
                m_fenster->statusinfoSetzen(m_text);
            },
            Qt::QueuedConnection);
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
    QObject::connect(m_fenster.get(), &statusfenster::angeklickt, [this] { abbruchFragen(); });
}

// A stray click must not lose the upload, so it only asks. The question does
// not wait in a loop of its own: the transfer goes on while it is open, and
// when the transfer ends first, the question goes with the window.
void Statusfensteranzeige::abbruchFragen()
{
    if (m_abbruch)
        return;
    if (m_frage) {
        m_frage->raise();
        return;
    }
    // A child of the window: it opens next to it and goes with it.
    m_frage = new QMessageBox(QMessageBox::Question, Meldungstexte::anwendungstitel(),
        QStringLiteral("Übertragung abbrechen?"), QMessageBox::NoButton, m_fenster.get());
    m_frage->setAttribute(Qt::WA_DeleteOnClose);
    // Above the status window, which stays on top of everything.
    m_frage->setWindowFlag(Qt::WindowStaysOnTopHint);
    QPushButton* ja = m_frage->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* nein = m_frage->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    // Enter typed into the wrong window must not end the upload.
    m_frage->setDefaultButton(nein);
    m_frage->setEscapeButton(nein);
    QObject::connect(m_frage, &QMessageBox::buttonClicked, [this, ja](QAbstractButton* knopf) {
        if (knopf == ja)
            m_abbruch = true;
    });
    m_frage->show();
}

void Statusfensteranzeige::fortschritt(qint64 gesendet, qint64 gesamt)
{
    if (m_zeigen() && m_fenster)
        m_fenster->fortschritt(gesendet, gesamt);
}

void Statusfensteranzeige::machmichweg()
{
    m_angefordert = false;
    if (!m_fenster)
        return;
    m_fenster.reset();
}
