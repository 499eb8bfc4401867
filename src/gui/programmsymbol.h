#pragma once

#include <QIcon>

// The program's icon from the icon theme, or the built-in one, for every window it opens.
QIcon programmSymbol();

// The icon built into the program, found without asking the icon theme.
QIcon eingebautesProgrammsymbol();
