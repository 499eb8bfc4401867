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
    // The address goes into an HTML attribute and the clipboard as it is.
    for (const QChar zeichen : adresse) {
        if (zeichen.isSpace() || zeichen.category() == QChar::Other_Control || zeichen == u'"' || zeichen == u'<'
            || zeichen == u'>')
            fehler("Adresse mit Zeichen, das Markup oder ein zweites Wort einschleust");
    }
    return 0;
}
