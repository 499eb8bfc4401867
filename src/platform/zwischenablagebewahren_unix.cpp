#include "platform/zwischenablagebewahren.h"

#include "platform/uebergabewahl.h"
#include "platform/waylandkopie.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {
// Both hand-overs together; the user pastes right after we return.
constexpr int uebernahmeFristMs = 2000;

struct XcbFrei {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbAntwort = std::unique_ptr<T, XcbFrei>;

// A clipboard manager takes the text from Qt when we exit cleanly; then no helper is needed.
bool verwalterLaeuft(xcb_connection_t* verbindung)
{
    static constexpr char name[] = "CLIPBOARD_MANAGER";
    const XcbAntwort<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(verbindung, xcb_intern_atom(verbindung, 1, sizeof name - 1, name), nullptr));
    if (!atom || atom->atom == XCB_NONE)
        return false;
    const XcbAntwort<xcb_get_selection_owner_reply_t> besitzer(
        xcb_get_selection_owner_reply(verbindung, xcb_get_selection_owner(verbindung, atom->atom), nullptr));
    return besitzer && besitzer->owner != XCB_NONE;
}

// Waits until every writer of the pipe has closed it and, on X11, until we have
// seen the helper take the clipboard from us: Qt would otherwise offer it to
// the clipboard manager at exit and wait for its answer. Both are events; the
// deadline only bounds a failure.
void uebernahmeAbwarten(int leseende, bool aufX11, const QDeadlineTimer& frist)
{
    QClipboard* ablage = QGuiApplication::clipboard();
    QEventLoop schleife;
    bool gemeldet = false;
    const auto pruefen = [&] {
        if (gemeldet && !(aufX11 && ablage->ownsClipboard()))
            schleife.quit();
    };
    QSocketNotifier melder(leseende, QSocketNotifier::Read);
    QObject::connect(&melder, &QSocketNotifier::activated, &schleife, [&] {
        char puffer[64];
        const ssize_t n = read(leseende, puffer, sizeof puffer);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
            melder.setEnabled(false);
            gemeldet = true;
            pruefen();
        }
    });
    QObject::connect(ablage, &QClipboard::changed, &schleife, pruefen);
    QTimer::singleShot(static_cast<int>(frist.remainingTime()), &schleife, &QEventLoop::quit);
    schleife.exec(QEventLoop::ExcludeUserInputEvents);
}

// The helper closes its standard output once it owns the X11 clipboard (or
// gives up); that output is a named pipe whose end we wait for, so the text is
// in the clipboard when we return.
void helferUebergeben(const QString& text, bool aufX11, const QDeadlineTimer& frist)
{
    const QString programm = QCoreApplication::applicationDirPath() + u"/fotoschicker-zwischenablage";
    if (!QFileInfo(programm).isExecutable())
        return;

    // The helper reads the text from this file as its standard input; once it
    // runs, the open file outlives the name we remove here.
    QTemporaryFile textdatei;
    if (!textdatei.open() || textdatei.write(text.toUtf8()) < 0 || !textdatei.flush())
        return;
    QTemporaryDir ordner;
    const QString meldepfad = ordner.filePath(QStringLiteral("bereit"));
    if (!ordner.isValid() || mkfifo(QFile::encodeName(meldepfad).constData(), 0600) != 0)
        return;
    const int leseende = open(QFile::encodeName(meldepfad).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (leseende < 0)
        return;

    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    // The helper serves X11 programs, on a bare X server or on XWayland.
    umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

    QProcess helfer;
    helfer.setProgram(programm);
    helfer.setProcessEnvironment(umgebung);
    // A caller reading our output must not wait for the helper, and it must not hold the picture's folder.
    helfer.setStandardInputFile(textdatei.fileName());
    helfer.setStandardOutputFile(meldepfad);
    helfer.setStandardErrorFile(QProcess::nullDevice());
    helfer.setWorkingDirectory(QDir::rootPath());
    if (helfer.startDetached())
        uebernahmeAbwarten(leseende, aufX11, frist);
    close(leseende);
}
} // namespace

void zwischenablageBewahren(const QString& text)
{
    Desktoplage lage;
    lage.qtPlattform = QGuiApplication::platformName();
    lage.x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    lage.wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    // The offscreen platform may answer for X11 too, without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* verbindung = x11 ? x11->connection() : nullptr;
    lage.verwalter = verbindung && verwalterLaeuft(verbindung);
    const Uebergaben wege = uebergabenWaehlen(lage);

    const QDeadlineTimer frist(uebernahmeFristMs);
    // The helper comes last: a compositor that passes the Wayland clipboard on to
    // X11 programs takes the X11 clipboard for wl-copy's text and lets X11
    // programs read it only while one of their windows has focus; the helper
    // takes it back and serves every X11 program, and the compositor passes the
    // helper's text on to Wayland programs in turn.
    if (wege.waylandKopie)
        waylandKopieren(text, frist);
    if (wege.x11Helfer)
        helferUebergeben(text, verbindung != nullptr, frist);
}
