#include "transfer/bildadresse.h"

#include <QList>

#include <algorithm>

namespace {
constexpr qsizetype hoechstlaenge = 2048;

// The address ends up in a web page, a chat or a script: any other scheme
// ("javascript:", "data:") would run or show something else than a picture.
bool hatWebSchema(const QString& adresse)
{
    for (const QLatin1StringView schema : { QLatin1StringView("http://"), QLatin1StringView("https://") }) {
        // A host must follow the scheme.
        if (adresse.startsWith(schema, Qt::CaseInsensitive) && adresse.size() > schema.size()
            && !QStringView(u"/?#").contains(adresse.at(schema.size())))
            return true;
    }
    return false;
}

// Invisible characters can make the address look like another one (a
// right-to-left override turns "gpj.exe" around), and so can a code point
// that no Unicode version has assigned yet: no valid address holds one.
// Blanks and '"<>' would break it apart where it is pasted.
bool zeichenErlaubt(char32_t zeichen)
{
    switch (QChar::category(zeichen)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_NotAssigned:
        return false;
    default:
        break;
    }
    return !QChar::isSpace(zeichen) && zeichen != u'"' && zeichen != u'<' && zeichen != u'>';
}
} // namespace

bool kannBildadresseSein(const QString& adresse)
{
    if (adresse.size() > hoechstlaenge || !hatWebSchema(adresse))
        return false;
    const QList<uint> zeichen = adresse.toUcs4();
    return std::all_of(zeichen.begin(), zeichen.end(), [](uint z) { return zeichenErlaubt(char32_t(z)); });
}
