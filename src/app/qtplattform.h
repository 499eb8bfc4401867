#pragma once

#include <QString>

// The platform plugin Qt must use, or "" to leave the choice to Qt. display and
// qtQpaPlatform are the values of DISPLAY and QT_QPA_PLATFORM.
QString qtPlattformWaehlen(const QString& display, const QString& qtQpaPlatform);
