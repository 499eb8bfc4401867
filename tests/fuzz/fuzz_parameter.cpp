#include "app/parameterzerlegung.h"
#include "platform/argumentzeile.h"
#include "settings/optionen.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {
[[noreturn]] void fehler(const char* text)
{
    std::fprintf(stderr, "%s\n", text);
    std::abort();
}

// Each argument in an allocation of its own size, so that a write past its end
// is seen.
struct Argumentvektor {
    explicit Argumentvektor(const QList<QByteArray>& argumente)
    {
        ablage.push_back(kopie("fotoschicker"));
        for (const QByteArray& argument : argumente)
            ablage.push_back(kopie(argument));
        for (const auto& argument : ablage)
            argv.push_back(argument.get());
        argv.push_back(nullptr);
    }
    static std::unique_ptr<char[]> kopie(const QByteArray& text)
    {
        auto speicher = std::make_unique<char[]>(size_t(text.size()) + 1);
        std::memcpy(speicher.get(), text.constData(), size_t(text.size()) + 1);
        return speicher;
    }
    int argc() const { return int(argv.size() - 1); }

    std::vector<std::unique_ptr<char[]>> ablage;
    std::vector<char*> argv;
};
} // namespace

// The input is the argument vector after the program's name, one argument per
// NUL-separated piece, exactly as the shell hands it over.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const QList<QByteArray> argumente
        = QByteArray(reinterpret_cast<const char*>(daten), qsizetype(groesse)).split('\0');
    Argumentvektor vektor(argumente);
    const QString zeile = argumentString(vektor.argc(), vektor.argv.data());

    Optionen optionen;
    const Parameterergebnis ergebnis = parameterZerlegen(zeile, optionen);
    // A command line the user is told is faulty must not send a file as well.
    if (ergebnis.meldung != Parametermeldung::Keine && !ergebnis.dateiname.isEmpty())
        fehler("Meldung und Dateiname zugleich");

    // The password's stretches are overwritten in the process's own arguments.
    const QList<Textstelle> stellen = passwortStellen(zeile);
    for (const Textstelle& stelle : stellen) {
        if (stelle.anfang < 0 || stelle.laenge < 0 || stelle.anfang + stelle.laenge > zeile.size())
            fehler("Passwortstelle außerhalb der Zeile");
    }
    argumenteVerbergen(vektor.argc(), vektor.argv.data(), stellen);

    // An argument that is no valid text is starred whole, keywords and all;
    // otherwise stars keep the line's parameters where they were, and read
    // again every password holds stars only (and the blanks that joined its arguments).
    for (const QByteArray& argument : argumente) {
        if (QFile::encodeName(QFile::decodeName(argument)) != argument)
            return 0;
    }
    const QString verborgen = argumentString(vektor.argc(), vektor.argv.data());
    for (const Textstelle& stelle : passwortStellen(verborgen)) {
        for (const QChar zeichen : QStringView(verborgen).sliced(stelle.anfang, stelle.laenge)) {
            if (zeichen != u'*' && zeichen != u' ')
                fehler("Ein Zeichen des Passworts blieb sichtbar");
        }
    }
    return 0;
}
