#include "platform/desktopbenachrichtigung.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QVariantMap>

namespace {
const QString dienst = QStringLiteral("org.freedesktop.Notifications");
// A notification server answers at once; one that hangs must not hold the program past this.
constexpr int antwortHoechstensMs = 2000;

// The bus the session announces, or the one at its usual place. Otherwise
// libdbus would "autolaunch" a bus of its own, which outlives the program.
bool sitzungsbusDa()
{
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        || (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
            && QFileInfo(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")).exists());
}
} // namespace

void Desktopbenachrichtigung::hochgeladen(const QString& link, bool kopiert)
{
    if (!sitzungsbusDa())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Without a bus, or with nobody serving notifications, there is no one to tell:
    // asking the bus to start a server could take its time.
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(dienst))
        return;
    QDBusMessage nachricht = QDBusMessage::createMethodCall(
        dienst, QStringLiteral("/org/freedesktop/Notifications"), dienst, QStringLiteral("Notify"));
    nachricht.setAutoStartService(false);
    const QString titel = kopiert ? QStringLiteral("Link in der Zwischenablage") : QStringLiteral("Bild hochgeladen");
    QVariantMap hinweise;
    hinweise.insert(QStringLiteral("desktop-entry"), QStringLiteral("fotoschicker"));
    // The body may be read as markup: the address is escaped so that it shows as it is.
    nachricht << QStringLiteral("Morva Fotoschicker") << 0U << QStringLiteral("fotoschicker") << titel
              << link.toHtmlEscaped() << QStringList() << hinweise << -1;
    bus.call(nachricht, QDBus::Block, antwortHoechstensMs);
}
