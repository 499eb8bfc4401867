#pragma once

#include <QStringList>

#include <functional>

// Whether a name, as written, is an existing plain file.
using Dateitest = std::function<bool(const QString&)>;

// Several pictures at once, as a desktop hands them over for "%F": two or more
// arguments, each an existing plain file as written, whose blank-joined line
// names no file. Such a line was read until now as one name with blanks, so
// a script that passed "Urlaub am See.jpg" unquoted keeps sending that file;
// parameters name no file and keep their grammar.
bool istDateiliste(const QStringList& argumente, const Dateitest& istDatei);
