#include "transfer/bildhostantwort.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fehler(const char* text)
{
    std::fprintf(stderr, "%s\n", text);
    std::abort();
}
} // namespace

// The input is the image host's reply page, decoded the way the transfer decodes it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const QString antwort = QString::fromLocal8Bit(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    QString adresse;
    if (!adresseAusAntwort(antwort, adresse)) {
        if (!adresse.isEmpty())
            fehler("Adresse trotz Fehlschlag");
        return 0;
    }
    if (!antwort.contains(QStringLiteral("[img]") + adresse + QStringLiteral("[/img]")))
        fehler("Adresse steht nicht zwischen den Marken");
    // Only a web address reaches the user: another scheme would run or show something else.
    if (!adresse.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive)
        && !adresse.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive))
        fehler("Adresse ohne http:// oder https://");
    if (adresse.size() > 2048)
        fehler("Adresse länger als 2048 Zeichen");
    // The address goes into an HTML attribute and the clipboard as it is; an
    // invisible character could make it look like another one.
    for (const QChar zeichen : adresse) {
        const char16_t z = zeichen.unicode();
        if (zeichen.isSpace() || zeichen.category() == QChar::Other_Control || z == u'"' || z == u'<' || z == u'>')
            fehler("Adresse mit Zeichen, das Markup oder ein zweites Wort einschleust");
        if ((z >= 0x200b && z <= 0x200f) || (z >= 0x202a && z <= 0x202e) || (z >= 0x2060 && z <= 0x2069) || z == 0xfeff)
            fehler("Adresse mit unsichtbarem Steuerzeichen");
    }
    return 0;
}
