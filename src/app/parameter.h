#pragma once

#include <QString>

class Dialoge;
struct Optionen;

// Reads the argument string: the file to send, or "" when there is none. After
// a faulty command line it has told the user and left parameterModus set.
QString parameterAuswerten(const QString& argumentString, Optionen& optionen, Dialoge& dialoge);
