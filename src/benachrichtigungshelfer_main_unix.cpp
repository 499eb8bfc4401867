// fotoschicker-benachrichtigung: sends the notification after an upload and
// stays to answer its actions, "Öffnen" (the links in the browser) and
// "Verlauf" (fotoschicker --verlauf), after the program that started it has
// ended. Arguments: the title, then the links. It ends once its notification
// is clicked or closed, when the server or the bus goes away, and at the latest
// after a few minutes. It shows no window and writes nothing anywhere.
#include "benachrichtigungsantwort_unix.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QTimer>
#include <QVariantMap>

#include <chrono>
#include <unistd.h>

namespace {
const QString dienst = QStringLiteral("org.freedesktop.Notifications");
const QString pfad = QStringLiteral("/org/freedesktop/Notifications");
// A notification server answers at once; one that hangs must not keep us.
constexpr int antwortHoechstensMs = 2000;
// A notification still unanswered by then has long been forgotten.
constexpr std::chrono::minutes wartenHoechstens{ 5 };
} // namespace

int main(int argc, char** argv)
{
    // Whatever else the caller left open (a pipe a script reads to its end) is not ours to keep.
    closefrom(3);
    QCoreApplication app(argc, argv);
    QStringList argumente = QCoreApplication::arguments().mid(1);
    if (argumente.isEmpty())
        return 2;
    const QString titel = argumente.takeFirst();
    const QStringList& links = argumente;

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return 1;
    QDBusMessage frage = QDBusMessage::createMethodCall(dienst, pfad, dienst, QStringLiteral("GetCapabilities"));
    frage.setAutoStartService(false);
    const QDBusReply<QStringList> faehigkeiten = bus.call(frage, QDBus::Block, antwortHoechstensMs);
    const bool mitAktionen = faehigkeiten.isValid() && faehigkeiten.value().contains(QStringLiteral("actions"));

    // Listening before the notification goes out: a click cannot come earlier than that.
    Benachrichtigungsantwort antwort(links);
    if (mitAktionen) {
        bus.connect(dienst, pfad, dienst, QStringLiteral("ActionInvoked"), &antwort, SLOT(aktion(uint, QString)));
        bus.connect(
            dienst, pfad, dienst, QStringLiteral("NotificationClosed"), &antwort, SLOT(geschlossen(uint, uint)));
    }

    QStringList aktionen;
    if (mitAktionen && !links.isEmpty())
        aktionen << QStringLiteral("oeffnen") << QStringLiteral("Öffnen");
    if (mitAktionen)
        aktionen << QStringLiteral("verlauf") << QStringLiteral("Verlauf");
    QVariantMap hinweise;
    hinweise.insert(QStringLiteral("desktop-entry"), QStringLiteral("fotoschicker"));
    QDBusMessage nachricht = QDBusMessage::createMethodCall(dienst, pfad, dienst, QStringLiteral("Notify"));
    nachricht.setAutoStartService(false);
    // The body may be read as markup: the addresses are escaped so that they show as they are.
    nachricht << QStringLiteral("Morva Fotoschicker") << 0U << QStringLiteral("fotoschicker") << titel
              << links.join(u'\n').toHtmlEscaped() << aktionen << hinweise << -1;
    const QDBusReply<uint> nummer = bus.call(nachricht, QDBus::Block, antwortHoechstensMs);
    if (!nummer.isValid() || !mitAktionen)
        return nummer.isValid() ? 0 : 1;
    antwort.warteAuf(nummer.value());

    QDBusServiceWatcher wache(dienst, bus, QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(&wache, &QDBusServiceWatcher::serviceUnregistered, &app, &QCoreApplication::quit);
    QTimer::singleShot(wartenHoechstens, &app, &QCoreApplication::quit);
    return QCoreApplication::exec();
}
