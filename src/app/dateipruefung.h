#pragma once

#include <QString>

// True for an existing plain file (not a directory); never reports an error.
bool dateiExistiert(const QString& path);

// True when this user may read the file; access(2), so it never opens it.
bool dateiLesbar(const QString& path);

// Size in bytes, 64-bit so that files of 2 GiB and more are measured right; 0 when unreadable.
qint64 dateiLaenge(const QString& path);
