#pragma once

#include <QString>

// Makes sure the settings file exists and only its owner may read it, before
// anything secret is written to it, and that its folder takes the temporary
// file the store is replaced through. True when that holds (or when the store
// is no file, as the registry on Windows); otherwise false with the system's
// reason in grund.
bool privateDateiAnlegen(const QString& pfad, QString& grund);

// True when the file at pfad is readable by its owner only (or is no file).
bool istPrivat(const QString& pfad);

// Why the existing store at pfad cannot be read, in the system's words; empty
// when it can be read or does not exist.
QString lesefehler(const QString& pfad);
