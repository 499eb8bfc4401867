#include "platform/datenverbindung.h"

#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#if defined(__linux__)
#include <linux/sockios.h>
#endif

qintptr socketOeffnen(int familie, int art, int protokoll)
{
    return ::socket(familie, art | SOCK_CLOEXEC, protokoll);
}

qint64 unbestaetigteBytes(qintptr socket)
{
#if defined(SIOCOUTQ)
    int anzahl = 0;
    if (::ioctl(static_cast<int>(socket), SIOCOUTQ, &anzahl) == 0 && anzahl > 0)
        return anzahl;
#else
    Q_UNUSED(socket)
#endif
    return 0;
}

void sendenBeenden(qintptr socket)
{
    ::shutdown(static_cast<int>(socket), SHUT_WR);
}

void socketSchliessen(qintptr socket)
{
    ::close(static_cast<int>(socket));
}

void socketVerwerfen(qintptr socket)
{
    // A zero linger time makes close send a reset instead of the queue and an orderly end.
    const linger sofort{ 1, 0 };
    ::setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_LINGER, &sofort, sizeof sofort);
    ::close(static_cast<int>(socket));
}
