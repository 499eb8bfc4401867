#include "platform/desktopbenachrichtigung.h"

#include "platform/sitzungsbus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {
const QString dienst = QStringLiteral("org.freedesktop.Notifications");

QString titel(qsizetype links, bool kopiert)
{
    if (!kopiert)
        return links > 1 ? QStringLiteral("Bilder hochgeladen") : QStringLiteral("Bild hochgeladen");
    return links > 1 ? QStringLiteral("URLs in der Zwischenablage") : QStringLiteral("URL in der Zwischenablage");
}
} // namespace

void Desktopbenachrichtigung::hochgeladen(const QStringList& links, bool kopiert)
{
    if (!sitzungsbusDa())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Without a bus, or with nobody serving notifications, there is no one to tell:
    // asking the bus to start a server could take its time.
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(dienst))
        return;
    const QString helfer = QCoreApplication::applicationDirPath() + u"/fotoschicker-benachrichtigung";
    if (!QFileInfo(helfer).isExecutable())
        return;
    // The helper sends it and stays for a click on its actions, so the program ends as
    // soon as it would without one. A link is no secret: the command line may carry it.
    QProcess prozess;
    prozess.setProgram(helfer);
    prozess.setArguments(QStringList{ titel(links.size(), kopiert) } + links);
    prozess.setStandardInputFile(QProcess::nullDevice());
    prozess.setStandardOutputFile(QProcess::nullDevice());
    prozess.setStandardErrorFile(QProcess::nullDevice());
    // It must not hold the picture's folder, nor a caller that reads our output.
    prozess.setWorkingDirectory(QDir::rootPath());
    prozess.startDetached();
}
