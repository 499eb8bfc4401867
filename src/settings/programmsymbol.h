#pragma once

#include <QIcon>

// The program's own icon, for the settings window and every other window it opens.
QIcon programmSymbol();
