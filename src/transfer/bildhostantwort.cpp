#include "transfer/bildhostantwort.h"

#include "transfer/bildadresse.h"

#include <algorithm>

namespace {
const QString anfangsmarke = QStringLiteral("[img]");
const QString endmarke = QStringLiteral("[/img]");
const QString schluesselanfang = QStringLiteral("[delete]");
const QString schluesselende = QStringLiteral("[/delete]");

bool istSchluesselzeichen(QChar zeichen)
{
    return (zeichen >= u'0' && zeichen <= u'9') || (zeichen >= u'a' && zeichen <= u'z')
        || (zeichen >= u'A' && zeichen <= u'Z');
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
    if (!kannBildadresseSein(gefunden))
        return false;
    adresse = gefunden;
    return true;
}

QString loeschschluesselAusAntwort(const QString& antwort)
{
    const qsizetype anfang = antwort.indexOf(schluesselanfang);
    if (anfang < 0)
        return {};
    const qsizetype start = anfang + schluesselanfang.size();
    const qsizetype ende = antwort.indexOf(schluesselende, start);
    const QString schluessel = antwort.mid(start, ende - start);
    // It goes into a request header: nothing but letters and digits may end it or add another.
    if (ende < 0 || schluessel.size() < 16 || schluessel.size() > 128
        || !std::all_of(schluessel.cbegin(), schluessel.cend(), istSchluesselzeichen))
        return {};
    return schluessel;
}
