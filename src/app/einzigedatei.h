#pragma once

#include <QString>
#include <QStringList>

// A start with exactly one argument that names an existing file - what a file
// manager's "Öffnen mit" does - sends that file, its name taken as written:
// double quotes, "/keyword:" pieces and a leading "-" are then part of the
// name. Returns that argument, or "" when the command line is read by its
// grammar as ever.
QString dateiAlsEinzigesArgument(const QStringList& argumente);
