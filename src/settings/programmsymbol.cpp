#include "settings/programmsymbol.h"

// The resource lives in a static library; without this call the linker drops it.
static void symbolRessourceLaden()
{
    Q_INIT_RESOURCE(icons);
}

QIcon programmSymbol()
{
    symbolRessourceLaden();
    return QIcon(QStringLiteral(":/fotoschicker.png"));
}
