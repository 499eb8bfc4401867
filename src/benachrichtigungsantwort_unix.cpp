#include "benachrichtigungsantwort_unix.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace {
bool losgeloestStarten(const QString& programm, const QStringList& argumente)
{
    QProcess prozess;
    prozess.setProgram(programm);
    prozess.setArguments(argumente);
    prozess.setStandardInputFile(QProcess::nullDevice());
    prozess.setStandardOutputFile(QProcess::nullDevice());
    prozess.setStandardErrorFile(QProcess::nullDevice());
    prozess.setWorkingDirectory(QDir::rootPath());
    return prozess.startDetached();
}
} // namespace

Benachrichtigungsantwort::Benachrichtigungsantwort(QStringList links)
    : m_links(std::move(links))
{
}

void Benachrichtigungsantwort::warteAuf(uint nummer)
{
    m_nummer = nummer;
    m_bekannt = true;
}

void Benachrichtigungsantwort::aktion(uint nummer, const QString& schluessel)
{
    // The server tells every listener of every notification: only our own counts.
    if (!m_bekannt || nummer != m_nummer)
        return;
    if (schluessel == u"oeffnen") {
        for (const QString& link : std::as_const(m_links))
            losgeloestStarten(QStringLiteral("xdg-open"), { link });
    } else if (schluessel == u"verlauf") {
        losgeloestStarten(QCoreApplication::applicationDirPath() + u"/fotoschicker", { QStringLiteral("--verlauf") });
    }
    QCoreApplication::quit();
}

void Benachrichtigungsantwort::geschlossen(uint nummer, uint)
{
    if (m_bekannt && nummer == m_nummer)
        QCoreApplication::quit();
}
