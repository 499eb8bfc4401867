#pragma once

#include <QString>

class Dialoge;
struct Optionen;

// Reads the argument string: the file to send, or "" when there is none.
QString parameterAuswerten(const QString& argumentString, Optionen& optionen, Dialoge& dialoge);
