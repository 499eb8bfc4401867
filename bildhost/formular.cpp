#include "formular.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr std::string_view zeilenende = "\r\n";

bool gleichOhneGrossKlein(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view ohneRandleerzeichen(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Walks the key=value parameters after the first word of a header value; a
// quoted value may hold ';' and ','.
template <typename Verarbeiter>
void parameterDurchgehen(std::string_view wert, char trennzeichen, Verarbeiter verarbeiten)
{
    std::size_t pos = 0;
    while (pos < wert.size()) {
        const std::size_t gleich = wert.find('=', pos);
        const std::size_t trenner = wert.find(trennzeichen, pos);
        if (gleich == std::string_view::npos || (trenner != std::string_view::npos && trenner < gleich)) {
            pos = trenner == std::string_view::npos ? wert.size() : trenner + 1;
            continue;
        }
        const std::string_view schluessel = ohneRandleerzeichen(wert.substr(pos, gleich - pos));
        std::size_t anfang = gleich + 1;
        while (anfang < wert.size() && wert[anfang] == ' ')
            ++anfang;
        std::string_view inhalt;
        if (anfang < wert.size() && wert[anfang] == '"') {
            const std::size_t schluss = wert.find('"', anfang + 1);
            const std::size_t ende = schluss == std::string_view::npos ? wert.size() : schluss;
            inhalt = wert.substr(anfang + 1, ende - anfang - 1);
            pos = ende + 1;
        } else {
            const std::size_t ende = std::min(wert.find(trennzeichen, anfang), wert.size());
            inhalt = ohneRandleerzeichen(wert.substr(anfang, ende - anfang));
            pos = ende;
        }
        verarbeiten(schluessel, inhalt);
        const std::size_t naechster = wert.find(trennzeichen, pos);
        pos = naechster == std::string_view::npos ? wert.size() : naechster + 1;
    }
}

void kopfzeileAuswerten(std::string_view zeile, Formularteil& teil)
{
    const std::size_t doppelpunkt = zeile.find(':');
    if (doppelpunkt == std::string_view::npos
        || !gleichOhneGrossKlein(ohneRandleerzeichen(zeile.substr(0, doppelpunkt)), "Content-Disposition"))
        return;
    parameterDurchgehen(
        zeile.substr(doppelpunkt + 1), ';', [&teil](std::string_view schluessel, std::string_view wert) {
            if (gleichOhneGrossKlein(schluessel, "name"))
                teil.name = wert;
            else if (gleichOhneGrossKlein(schluessel, "filename"))
                teil.dateiname = wert;
        });
}
} // namespace

std::string grenzeAusInhaltstyp(std::string_view inhaltstyp)
{
    const std::size_t ende = inhaltstyp.find_first_of(";,");
    if (!gleichOhneGrossKlein(ohneRandleerzeichen(inhaltstyp.substr(0, ende)), "multipart/form-data")
        || ende == std::string_view::npos)
        return {};
    std::string grenze;
    const std::string_view parameter = inhaltstyp.substr(ende + 1);
    for (const char trenner : { ';', ',' }) {
        parameterDurchgehen(parameter, trenner, [&grenze](std::string_view schluessel, std::string_view wert) {
            if (grenze.empty() && gleichOhneGrossKlein(schluessel, "boundary"))
                grenze = wert;
        });
    }
    // A boundary that long is not one a client means (the limit of the mail standard).
    if (grenze.size() > 70)
        return {};
    return grenze;
}

std::optional<std::vector<Formularteil>> formularZerlegen(std::string_view koerper, std::string_view grenze)
{
    if (grenze.empty())
        return std::nullopt;
    const std::string trenner = "--" + std::string(grenze);
    const std::string teilende = std::string(zeilenende) + trenner;

    std::size_t pos = 0;
    if (!koerper.starts_with(trenner)) {
        pos = koerper.find(teilende);
        if (pos == std::string_view::npos)
            return std::nullopt;
        pos += zeilenende.size();
    }

    std::vector<Formularteil> teile;
    for (;;) {
        pos += trenner.size();
        if (koerper.substr(pos).starts_with("--"))
            return teile;
        if (!koerper.substr(pos).starts_with(zeilenende))
            return std::nullopt;
        pos += zeilenende.size();

        Formularteil teil;
        while (!koerper.substr(pos).starts_with(zeilenende)) {
            const std::size_t zeilenschluss = koerper.find(zeilenende, pos);
            if (zeilenschluss == std::string_view::npos)
                return std::nullopt;
            kopfzeileAuswerten(koerper.substr(pos, zeilenschluss - pos), teil);
            pos = zeilenschluss + zeilenende.size();
        }
        pos += zeilenende.size();

        const std::size_t inhaltsende = koerper.find(teilende, pos);
        if (inhaltsende == std::string_view::npos)
            return std::nullopt;
        teil.inhalt = koerper.substr(pos, inhaltsende - pos);
        teile.push_back(teil);
        pos = inhaltsende + zeilenende.size();
    }
}

const Formularteil* teilMitNamen(const std::vector<Formularteil>& teile, std::string_view name)
{
    const auto gefunden
        = std::find_if(teile.begin(), teile.end(), [name](const Formularteil& teil) { return teil.name == name; });
    return gefunden == teile.end() ? nullptr : &*gefunden;
}
