#include "platform/datenverbindung.h"

#include <winsock2.h>

qintptr socketOeffnen(int familie, int art, int protokoll)
{
    const SOCKET socket = ::socket(familie, art, protokoll);
    return socket == INVALID_SOCKET ? -1 : static_cast<qintptr>(socket);
}

qint64 unbestaetigteBytes(qintptr)
{
    // Windows tells no count of a socket's unacknowledged bytes; progress then counts what was handed over.
    return 0;
}

void sendenBeenden(qintptr socket)
{
    ::shutdown(static_cast<SOCKET>(socket), SD_SEND);
}

void socketSchliessen(qintptr socket)
{
    ::closesocket(static_cast<SOCKET>(socket));
}

void socketVerwerfen(qintptr socket)
{
    // A zero linger time makes closesocket send a reset instead of the queue and an orderly end.
    const linger sofort{ 1, 0 };
    ::setsockopt(
        static_cast<SOCKET>(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&sofort), sizeof sofort);
    ::closesocket(static_cast<SOCKET>(socket));
}
