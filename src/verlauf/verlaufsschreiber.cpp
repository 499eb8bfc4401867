#include "verlauf/verlaufsschreiber.h"

#include <utility>

Verlaufsschreiber::Verlaufsschreiber(QString datei)
    : m_datei(std::move(datei))
{
    m_kontext.moveToThread(&m_faden);
}

Verlaufsschreiber::~Verlaufsschreiber()
{
    if (!m_faden.isRunning())
        return;
    // Closed where it was opened, before the thread ends.
    QMetaObject::invokeMethod(
        &m_kontext, [this] { m_speicher.reset(); }, Qt::BlockingQueuedConnection);
    m_faden.quit();
    m_faden.wait();
}

void Verlaufsschreiber::vorbereiten()
{
    if (m_faden.isRunning())
        return;
    m_faden.start();
    // Should it fail, the first row tries again and says why.
    QMetaObject::invokeMethod(&m_kontext, [this] {
        QString fehler;
        m_speicher.emplace(m_datei).oeffnen(fehler);
    });
}

QString Verlaufsschreiber::eintragen(const Verlaufseintrag& eintrag)
{
    vorbereiten();
    QString hinweis;
    // No thread to be had: written here, as a Verlaufsspeicher of this thread would.
    if (!m_faden.isRunning())
        return Verlaufsspeicher(m_datei).eintragen(eintrag);
    QMetaObject::invokeMethod(
        &m_kontext, [this, &eintrag, &hinweis] { hinweis = m_speicher->eintragen(eintrag); },
        Qt::BlockingQueuedConnection);
    return hinweis;
}
