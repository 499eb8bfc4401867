#include "transfer/bildhostantwort.h"

#include "transfer/bildadresse.h"

namespace {
const QString anfangsmarke = QStringLiteral("[img]");
const QString endmarke = QStringLiteral("[/img]");
} // namespace

// Only the first start marker counts, even when a later pair would be complete.
bool adresseAusAntwort(const QString& antwort, QString& adresse)
{
    adresse.clear();
    const qsizetype anfang = antwort.indexOf(anfangsmarke);
    if (anfang < 0)
        return false;
    const qsizetype start = anfang + anfangsmarke.size();
    const qsizetype ende = antwort.indexOf(endmarke, start);
    if (ende < 0)
        return false;
    const QString gefunden = antwort.mid(start, ende - start);
    if (!kannBildadresseSein(gefunden))
        return false;
    adresse = gefunden;
    return true;
}
