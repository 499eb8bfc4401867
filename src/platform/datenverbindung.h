#pragma once

#include <QtGlobal>

// The sockets of an upload, kept by us so that its progress can count what the
// other side has acknowledged rather than what was handed to the system.

// A new socket, or -1 when none can be made.
qintptr socketOeffnen(int familie, int art, int protokoll);

// Bytes written to a connected socket that the other side has not acknowledged
// yet; 0 when the system cannot tell.
qint64 unbestaetigteBytes(qintptr socket);

// Ends sending: the other side sees the end of the data once the queued bytes
// are through, and the socket stays open to be counted.
void sendenBeenden(qintptr socket);

void socketSchliessen(qintptr socket);

// Closes at once and throws away what is still queued: the other side sees a
// broken connection, never the end of a complete file.
void socketVerwerfen(qintptr socket);
