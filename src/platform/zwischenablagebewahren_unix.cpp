#include "platform/zwischenablagebewahren.h"

#include "platform/uebergabewahl.h"
#include "platform/waylandkopie.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <xcb/xcb.h>

extern char** environ;

namespace {
// Both hand-overs together; the user pastes right after we return.
constexpr int uebernahmeFristMs = 2000;
// Where the helper reads the text and gives its sign.
constexpr int helferEingang = 3;

struct XcbFrei {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbAntwort = std::unique_ptr<T, XcbFrei>;

// A started fotoschicker-zwischenablage and our end of its socket. Closing our
// end without a text lets it go; one that has ended is reaped, one that serves
// the clipboard lives on.
class Helfer {
public:
    Helfer() = default;
    Helfer(pid_t pid, int verbindung)
        : m_pid(pid)
        , m_verbindung(verbindung)
    {
    }
    Helfer(Helfer&& anderer) noexcept
        : m_pid(std::exchange(anderer.m_pid, -1))
        , m_verbindung(std::exchange(anderer.m_verbindung, -1))
    {
    }
    Helfer& operator=(Helfer&& anderer) noexcept
    {
        std::swap(m_pid, anderer.m_pid);
        std::swap(m_verbindung, anderer.m_verbindung);
        return *this;
    }
    ~Helfer()
    {
        if (m_verbindung >= 0)
            close(m_verbindung);
        if (m_pid > 0)
            waitpid(m_pid, nullptr, WNOHANG);
    }
    explicit operator bool() const { return m_pid > 0; }
    int verbindung() const { return m_verbindung; }

private:
    pid_t m_pid = -1;
    int m_verbindung = -1;
};

// Started once the run knows it will copy, so its start overlaps the transfer.
Helfer& vorbereiteterHelfer()
{
    static Helfer helfer;
    return helfer;
}

// Without fork: posix_spawn does not copy our pages, and the helper needs no
// Qt. It gets its own session, the root folder and null standard streams: a
// caller reading our output must not wait for it, and it must not hold the
// picture's folder.
Helfer helferStarten()
{
    QByteArray programm = QFile::encodeName(QCoreApplication::applicationDirPath() + u"/fotoschicker-zwischenablage");
    if (access(programm.constData(), X_OK) != 0)
        return {};
    int enden[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, enden) != 0)
        return {};

    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addopen(&aktionen, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&aktionen, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&aktionen, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&aktionen, enden[1], helferEingang);
    posix_spawn_file_actions_addchdir_np(&aktionen, "/");
    posix_spawnattr_t eigenschaften;
    posix_spawnattr_init(&eigenschaften);
    sigset_t keine;
    sigset_t alle;
    sigemptyset(&keine);
    sigfillset(&alle);
    posix_spawnattr_setsigmask(&eigenschaften, &keine);
    posix_spawnattr_setsigdefault(&eigenschaften, &alle);
    posix_spawnattr_setflags(
        &eigenschaften, static_cast<short>(POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));

    pid_t pid = -1;
    char* argumente[] = { programm.data(), nullptr };
    const int fehler = posix_spawn(&pid, programm.constData(), &aktionen, &eigenschaften, argumente, environ);
    posix_spawnattr_destroy(&eigenschaften);
    posix_spawn_file_actions_destroy(&aktionen);
    close(enden[1]);
    if (fehler != 0) {
        close(enden[0]);
        return {};
    }
    return Helfer(pid, enden[0]);
}

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

// Our own X11 connection, where Qt has one; the offscreen platform may answer for X11 too, without one.
xcb_connection_t* x11Verbindung()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Whether a clipboard manager runs takes two round trips to the X server; asked while libcurl
// loads on the other core, they kept the transfer from starting for 2 ms here.
Uebergaben uebergabenHier(bool verwalterFragen = true)
{
    Desktoplage lage;
    lage.qtPlattform = QGuiApplication::platformName();
    lage.x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    lage.wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    xcb_connection_t* verbindung = x11Verbindung();
    lage.verwalter = verwalterFragen && verbindung && verwalterLaeuft(verbindung);
    return uebergabenWaehlen(lage);
}

// The helper may be slow to read while it still connects; the deadline bounds a helper that hangs.
bool textSenden(int verbindung, const QByteArray& text, const QDeadlineTimer& frist)
{
    const qint64 restMs = std::max<qint64>(frist.remainingTime(), 1);
    const timeval grenze{ static_cast<time_t>(restMs / 1000), static_cast<suseconds_t>(restMs % 1000 * 1000) };
    setsockopt(verbindung, SOL_SOCKET, SO_SNDTIMEO, &grenze, sizeof grenze);
    qsizetype gesendet = 0;
    while (gesendet < text.size()) {
        const ssize_t n
            = send(verbindung, text.constData() + gesendet, std::size_t(text.size() - gesendet), MSG_NOSIGNAL);
        if (n < 0 && errno != EINTR)
            return false;
        if (n > 0)
            gesendet += n;
    }
    return shutdown(verbindung, SHUT_WR) == 0;
}

// Waits until the helper has closed its end and, on X11, until we have seen it
// take the clipboard from us, should an earlier text have been ours: Qt would
// otherwise offer it to the clipboard manager at exit and wait for its answer.
// Both are events; the deadline only bounds a failure. False only when the
// helper said it could not take the clipboard: one still at work when the time
// is up has the text and will take it.
bool uebernahmeAbwarten(int verbindung, bool aufX11, const QDeadlineTimer& frist)
{
    QClipboard* ablage = QGuiApplication::clipboard();
    QEventLoop schleife;
    bool gemeldet = false;
    bool besitzt = false;
    const auto pruefen = [&] {
        if (gemeldet && !(aufX11 && ablage->ownsClipboard()))
            schleife.quit();
    };
    QSocketNotifier melder(verbindung, QSocketNotifier::Read);
    QObject::connect(&melder, &QSocketNotifier::activated, &schleife, [&] {
        char puffer[64];
        const ssize_t n = recv(verbindung, puffer, sizeof puffer, MSG_DONTWAIT);
        if (n > 0)
            besitzt = true;
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
            melder.setEnabled(false);
            gemeldet = true;
            pruefen();
        }
    });
    QObject::connect(ablage, &QClipboard::changed, &schleife, pruefen);
    QTimer::singleShot(static_cast<int>(frist.remainingTime()), &schleife, &QEventLoop::quit);
    schleife.exec(QEventLoop::ExcludeUserInputEvents);
    return besitzt || !gemeldet;
}

// Hands the text to the helper started early, or to a new one. False only when no
// helper got it or one said it could not take the clipboard.
bool x11HelferUebergeben(Helfer helfer, const QString& text, const QDeadlineTimer& frist)
{
    const QByteArray utf8 = text.toUtf8();
    bool gesendet = helfer && textSenden(helfer.verbindung(), utf8, frist);
    // One started for an earlier pass may have gone with its X server since.
    if (!gesendet) {
        helfer = helferStarten();
        gesendet = helfer && textSenden(helfer.verbindung(), utf8, frist);
    }
    return gesendet && uebernahmeAbwarten(helfer.verbindung(), x11Verbindung() != nullptr, frist);
}
} // namespace

// Started wherever a helper may be needed; the hand-over asks for a clipboard manager and lets
// the helper go, unused, where one runs.
void zwischenablageVorbereiten()
{
    if (!vorbereiteterHelfer() && uebergabenHier(false).x11Helfer)
        vorbereiteterHelfer() = helferStarten();
}

bool zwischenablageBewahren(const QString& text)
{
    Helfer helfer = std::exchange(vorbereiteterHelfer(), Helfer());
    const Uebergaben wege = uebergabenHier();
    const QDeadlineTimer frist(uebernahmeFristMs);
    // The helper comes last: a compositor that passes the Wayland clipboard on to
    // X11 programs takes the X11 clipboard for wl-copy's text and lets X11
    // programs read it only while one of their windows has focus; the helper
    // takes it back and serves every X11 program, and the compositor passes the
    // helper's text on to Wayland programs in turn.
    const bool waylandGehalten = wege.waylandKopie && waylandKopieren(text, frist);
    const bool x11Gehalten = wege.x11Helfer && x11HelferUebergeben(std::move(helfer), text, frist);
    // Qt taking the clipboard as well would only cost: where the compositor has just
    // taken it for wl-copy's text, the X server may refuse Qt's older time, and Qt
    // then believes it owns what it does not and waits for a clipboard manager at exit.
    return wege.qtAufWayland ? waylandGehalten : x11Gehalten;
}
