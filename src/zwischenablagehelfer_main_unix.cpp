// fotoschicker-zwischenablage: keeps a text in the X11 clipboard after the
// program that set it has ended. It reads the text from descriptor 3 to its
// end, owns the clipboard until another program takes it or the display goes
// away, then ends. Once it owns the clipboard it writes one byte to descriptor
// 3 and closes it; when it has given up it closes it without one. That is the
// caller's sign to go, and whether it must keep the text itself. No text, no
// clipboard. It shows no window, takes no lock, writes nothing anywhere and
// needs no Qt, so it is running before the caller's transfer has ended.
#include "zwischenablagehelfer/auswahldienst_unix.h"

#include <cerrno>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int textEingang = 3;
constexpr char besitzZeichen = '1';

bool textLesen(std::string& text)
{
    char puffer[65536];
    for (;;) {
        const ssize_t n = read(textEingang, puffer, sizeof puffer);
        if (n == 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
        if (n > 0)
            text.append(puffer, static_cast<std::size_t>(n));
    }
}
} // namespace

int main()
{
    // Whatever else the caller left open (a pipe a script reads to its end) is not ours to keep.
    closefrom(textEingang + 1);
    // Connecting overlaps the caller's wait for its transfer.
    Auswahldienst dienst;
    std::string text;
    if (!textLesen(text) || text.empty()) {
        close(textEingang);
        return text.empty() ? 0 : 1;
    }
    const bool besitzt = dienst.uebernehmen(std::move(text));
    if (besitzt)
        // A caller gone meanwhile must not end us by SIGPIPE: the clipboard is ours to serve.
        static_cast<void>(send(textEingang, &besitzZeichen, 1, MSG_NOSIGNAL));
    close(textEingang);
    if (!besitzt)
        return 1;
    dienst.dienen();
    return 0;
}
