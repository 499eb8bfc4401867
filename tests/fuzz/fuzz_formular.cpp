#include "formular.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
[[noreturn]] void fehler(const char* text)
{
    std::fprintf(stderr, "%s\n", text);
    std::abort();
}

bool liegtIn(std::string_view teil, std::string_view ganzes)
{
    return teil.empty() || (teil.data() >= ganzes.data() && teil.data() + teil.size() <= ganzes.data() + ganzes.size());
}
} // namespace

// The input is the request's Content-Type value, a line end, then the body.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const std::string_view eingabe(reinterpret_cast<const char*>(daten), groesse);
    const std::size_t zeilenende = eingabe.find('\n');
    const std::string_view inhaltstyp = eingabe.substr(0, zeilenende);
    const std::string_view koerper
        = zeilenende == std::string_view::npos ? std::string_view() : eingabe.substr(zeilenende + 1);

    const std::string grenze = grenzeAusInhaltstyp(inhaltstyp);
    if (grenze.size() > 70)
        fehler("Grenze länger als 70 Zeichen");
    const auto teile = formularZerlegen(koerper, grenze);
    if (!teile)
        return 0;
    const std::string trenner = "\r\n--" + grenze;
    for (const Formularteil& teil : *teile) {
        if (!liegtIn(teil.name, koerper) || !liegtIn(teil.dateiname, koerper) || !liegtIn(teil.inhalt, koerper))
            fehler("Teil zeigt aus dem Körper hinaus");
        if (teil.inhalt.find(trenner) != std::string_view::npos)
            fehler("Inhalt eines Teils enthält die Grenze");
    }
    const Formularteil* datei = teilMitNamen(*teile, "file");
    if (datei && datei->name != "file")
        fehler("Teil mit anderem Namen gefunden");
    return 0;
}
