#include "transfer/bildhostantwort.h"

namespace {
const QString anfangsmarke = QStringLiteral("[img]");
const QString endmarke = QStringLiteral("[/img]");

// The address goes unescaped into an HTML attribute and the clipboard, so a
// reply must not be able to smuggle markup or a second word in with it.
bool kannAdresseSein(const QString& adresse)
{
    for (const QChar zeichen : adresse) {
        if (zeichen.isSpace() || zeichen.category() == QChar::Other_Control || zeichen == u'"' || zeichen == u'<'
            || zeichen == u'>')
            return false;
    }
    return true;
}
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
    if (!kannAdresseSein(gefunden))
        return false;
    adresse = gefunden;
    return true;
}
