#pragma once

#include <QString>

// The path in the form the local file system answers for it: without double
// quotes (also written back into path), or the empty string when the system
// knows no such file or directory. On Windows that is the 8.3 short form;
// elsewhere there are no short names, so an existing path is returned as it is.
QString ShortPath(QString& path);

// The same for a path whose quotes are already dealt with: every character,
// a double quote too, is part of the name.
QString kurzform(const QString& pfad);
