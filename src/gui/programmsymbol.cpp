#include "gui/programmsymbol.h"

// The resource lives in a static library; without this call the linker drops it.
static void symbolRessourceLaden()
{
    Q_INIT_RESOURCE(icons);
}

QIcon programmSymbol()
{
    // Installed, the icon theme has it in every size; a build that runs from its
    // folder, or a theme without it, still shows the program's own.
    return QIcon::fromTheme(QStringLiteral("fotoschicker"), eingebautesProgrammsymbol());
}

QIcon eingebautesProgrammsymbol()
{
    symbolRessourceLaden();
    return QIcon(QStringLiteral(":/fotoschicker.png"));
}
