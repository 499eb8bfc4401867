#include "settings/binaerwert.h"

#include <QByteArrayView>
#include <QString>

namespace {
bool istOktal(char zeichen)
{
    return zeichen >= '0' && zeichen <= '7';
}

int hexWert(char zeichen)
{
    if (zeichen >= '0' && zeichen <= '9')
        return zeichen - '0';
    if (zeichen >= 'a' && zeichen <= 'f')
        return zeichen - 'a' + 10;
    if (zeichen >= 'A' && zeichen <= 'F')
        return zeichen - 'A' + 10;
    return -1;
}

// What QSettings makes of "\" and the characters after it; i is past the backslash and is moved
// past the sequence. A numeric escape is kept to 16 bits, which matches '@' wherever Qt's own
// reading could.
QString escapeLesen(QByteArrayView wert, qsizetype& i)
{
    static constexpr char einfache[][2] = { { 'a', '\a' }, { 'b', '\b' }, { 'f', '\f' }, { 'n', '\n' }, { 'r', '\r' },
        { 't', '\t' }, { 'v', '\v' }, { '"', '"' }, { '?', '?' }, { '\'', '\'' }, { '\\', '\\' } };
    if (i >= wert.size())
        return {};
    const char zeichen = wert[i++];
    for (const auto& paar : einfache) {
        if (zeichen == paar[0])
            return QString(QLatin1Char(paar[1]));
    }
    quint32 zahl = 0;
    bool ziffern = false;
    if (zeichen == 'x') {
        for (; i < wert.size() && hexWert(wert[i]) >= 0; ++i, ziffern = true)
            zahl = ((zahl << 4) | quint32(hexWert(wert[i]))) & 0xFFFFFFu;
    } else if (istOktal(zeichen)) {
        zahl = quint32(zeichen - '0');
        ziffern = true;
        for (; i < wert.size() && istOktal(wert[i]); ++i)
            zahl = ((zahl << 3) | quint32(wert[i] - '0')) & 0xFFFFFFu;
    }
    // Anything else, a line's continuation too, stands for nothing.
    return ziffern ? QString(QChar(char16_t(zahl & 0xFFFFu))) : QString();
}

bool binaerBeginn(const QString& element)
{
    return element.startsWith(u"@Variant(") || element.startsWith(u"@DateTime(");
}

// Unescapes the value as QSettings does, one comma-separated element at a time: blanks before an
// element and after a closing quote are skipped, quotes are dropped, a comma inside them is text.
bool binaerwertIn(QByteArrayView wert)
{
    QString element;
    bool leerUeberspringen = true;
    bool inAnfuehrung = false;
    for (qsizetype i = 0; i < wert.size();) {
        const char zeichen = wert[i];
        if (leerUeberspringen && (zeichen == ' ' || zeichen == '\t')) {
            ++i;
            continue;
        }
        leerUeberspringen = false;
        ++i;
        if (zeichen == '"') {
            inAnfuehrung = !inAnfuehrung;
            leerUeberspringen = !inAnfuehrung;
        } else if (zeichen == ',' && !inAnfuehrung) {
            if (binaerBeginn(element))
                return true;
            element.clear();
            leerUeberspringen = true;
        } else if (zeichen == '\\') {
            element += escapeLesen(wert, i);
        } else {
            // Only the ASCII beginnings matter; any other byte stands in as itself.
            element += QLatin1Char(zeichen);
        }
    }
    return binaerBeginn(element);
}
} // namespace

bool haeltBinaerwert(QByteArrayView zeile)
{
    // From the line's start as well: a line that continues the one before is value all along.
    const qsizetype gleich = zeile.indexOf('=');
    return binaerwertIn(zeile) || (gleich >= 0 && binaerwertIn(zeile.sliced(gleich + 1)));
}
