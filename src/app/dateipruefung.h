#pragma once

#include <QString>

// True for an existing plain file (not a directory); never reports an error.
bool dateiExistiert(const QString& path);

// Size in bytes, 64-bit so that files of 2 GiB and more are measured right; 0 when unreadable.
qint64 dateiLaenge(const QString& path);
