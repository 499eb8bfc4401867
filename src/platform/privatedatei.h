#pragma once

#include <QString>

// Makes sure the settings file exists and only its owner may read it, before
// anything secret is written to it. True when that holds (or when the store is
// no file, as the registry on Windows).
bool privateDateiAnlegen(const QString& pfad);
