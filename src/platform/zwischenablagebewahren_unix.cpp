#include "platform/zwischenablagebewahren.h"

#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {
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

bool helferStarten(const QString& text)
{
    const QString programm = QCoreApplication::applicationDirPath() + u"/fotoschicker-zwischenablage";
    if (!QFileInfo(programm).isExecutable())
        return false;

    // The helper reads the text from this file as its standard input; once it
    // runs, the open file outlives the name we remove here.
    QTemporaryFile textdatei;
    if (!textdatei.open() || textdatei.write(text.toUtf8()) < 0 || !textdatei.flush())
        return false;

    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    // Under XWayland the helper sets the X11 clipboard, which the compositor passes on.
    umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

    QProcess helfer;
    helfer.setProgram(programm);
    helfer.setProcessEnvironment(umgebung);
    // A caller reading our output must not wait for the helper, and it must not hold the picture's folder.
    helfer.setStandardInputFile(textdatei.fileName());
    helfer.setStandardOutputFile(QProcess::nullDevice());
    helfer.setStandardErrorFile(QProcess::nullDevice());
    helfer.setWorkingDirectory(QDir::rootPath());
    return helfer.startDetached();
}

// The text must be in the clipboard when we end, so wait until the helper owns it.
void uebernahmeAbwarten(QClipboard* ablage)
{
    QElapsedTimer uhr;
    uhr.start();
    QEventLoop schleife;
    QTimer takt;
    QObject::connect(&takt, &QTimer::timeout, &schleife, [&] {
        if (!ablage->ownsClipboard() || uhr.hasExpired(uebernahmeFristMs))
            schleife.quit();
    });
    takt.start(5);
    schleife.exec(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

void zwischenablageBewahren(const QString& text)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        if (verwalterLaeuft(x11->connection()))
            return;
        if (helferStarten(text))
            uebernahmeAbwarten(QGuiApplication::clipboard());
    } else if (QGuiApplication::platformName() == u"wayland") {
        helferStarten(text);
    }
}
