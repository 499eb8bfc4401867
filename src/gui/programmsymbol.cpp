#include "gui/programmsymbol.h"

#include <QImageReader>
#include <QPixmap>

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
    // Told the format, and told not to guess it: a reader left to guess asks every image plugin
    // whether it can read the file, and loading them waited for the dynamic loader's lock while
    // libcurl loaded.
    QImageReader leser(QStringLiteral(":/fotoschicker.png"), "png");
    leser.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(leser.read()));
}
