#pragma once

#include <QString>

// The path in the form the local file system answers for it, or the empty
// string when the system knows no such file or directory. On Windows that is
// the 8.3 short form; elsewhere there are no short names, so an existing path
// is returned as it is. Every character of pfad, a double quote too, is part
// of the name.
QString ShortPath(const QString& pfad);
