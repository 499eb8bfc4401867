#include "startoptionen.h"

#include "clientadresse.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <utility>

namespace {
template <typename Zahl> bool zahlLesen(std::string_view text, Zahl& zahl)
{
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), zahl);
    return fehler == std::errc() && ende == text.data() + text.size();
}

// Reads a whole number within [kleinste, groesste]; every other text, a sign
// or a value that would not fit included, is refused rather than wrapped.
template <typename Ziel>
bool imBereich(std::string_view name, std::string_view wert, std::uint64_t kleinste, std::uint64_t groesste, Ziel& ziel,
    std::string& fehler)
{
    std::uint64_t zahl = 0;
    if (!zahlLesen(wert, zahl) || zahl < kleinste || zahl > groesste) {
        fehler = std::string(name) + " braucht eine ganze Zahl von " + std::to_string(kleinste) + " bis "
            + std::to_string(groesste) + ", nicht „" + std::string(wert) + "“.";
        return false;
    }
    ziel = static_cast<Ziel>(zahl);
    return true;
}

bool wegnehmen(std::string_view& text, std::string_view anfang)
{
    if (!text.starts_with(anfang))
        return false;
    text.remove_prefix(anfang.size());
    return true;
}

bool istZiffer(char c)
{
    return c >= '0' && c <= '9';
}

bool istHex(char c)
{
    return istZiffer(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool istBuchstabeOderZiffer(char c)
{
    return istZiffer(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Characters that change how an address reads without being seen, or break
// it where it is pasted: controls, blanks, and Unicode's format characters
// (bidi overrides, zero widths, the soft hyphen, tags).
bool unsichtbar(char32_t z)
{
    constexpr std::pair<char32_t, char32_t> bereiche[] = { { 0x0000, 0x0020 }, { 0x007F, 0x00A0 }, { 0x00AD, 0x00AD },
        { 0x0600, 0x0605 }, { 0x061C, 0x061C }, { 0x06DD, 0x06DD }, { 0x070F, 0x070F }, { 0x0890, 0x0891 },
        { 0x08E2, 0x08E2 }, { 0x1680, 0x1680 }, { 0x180E, 0x180E }, { 0x2000, 0x200F }, { 0x2028, 0x202F },
        { 0x205F, 0x2064 }, { 0x2066, 0x206F }, { 0x3000, 0x3000 }, { 0xFEFF, 0xFEFF }, { 0xFFF9, 0xFFFB },
        { 0x110BD, 0x110BD }, { 0x110CD, 0x110CD }, { 0x13430, 0x1343F }, { 0x1BCA0, 0x1BCA3 }, { 0x1D173, 0x1D17A },
        { 0xE0001, 0xE0001 }, { 0xE0020, 0xE007F } };
    return std::any_of(std::begin(bereiche), std::end(bereiche),
        [z](const auto& bereich) { return z >= bereich.first && z <= bereich.second; });
}

// Takes one character of more than one byte off the front of text; false for
// broken UTF-8 and for a character that must not stand in an address.
bool sichtbaresZeichenWegnehmen(std::string_view& text)
{
    const auto erstes = static_cast<unsigned char>(text.front());
    const std::size_t laenge = erstes >= 0xF0 ? 4 : erstes >= 0xE0 ? 3 : erstes >= 0xC2 ? 2 : 0;
    if (laenge == 0 || erstes > 0xF4 || text.size() < laenge)
        return false;
    char32_t z = erstes & (0x7F >> laenge);
    for (std::size_t i = 1; i < laenge; ++i) {
        const auto folge = static_cast<unsigned char>(text[i]);
        if ((folge & 0xC0) != 0x80)
            return false;
        z = (z << 6) | (folge & 0x3F);
    }
    const char32_t kleinstes = laenge == 2 ? 0x80 : laenge == 3 ? 0x800 : 0x10000;
    if (z < kleinstes || z > 0x10FFFF || (z >= 0xD800 && z <= 0xDFFF) || unsichtbar(z))
        return false;
    text.remove_prefix(laenge);
    return true;
}

// A host name (letters of any script), an IPv4 address or an IPv6 literal in brackets.
bool rechnerGueltig(std::string_view rechner)
{
    if (rechner.starts_with('[')) {
        return rechner.size() > 2 && rechner.ends_with(']')
            && std::all_of(
                rechner.begin() + 1, rechner.end() - 1, [](char c) { return istHex(c) || c == ':' || c == '.'; });
    }
    if (rechner.empty())
        return false;
    while (!rechner.empty()) {
        const char c = rechner.front();
        if (istBuchstabeOderZiffer(c) || c == '-' || c == '.' || c == '_' || c == '~')
            rechner.remove_prefix(1);
        else if (static_cast<unsigned char>(c) < 0x80 || !sichtbaresZeichenWegnehmen(rechner))
            return false;
    }
    return true;
}

// The path's characters as an address may carry them outside a query: no
// "?", "#", brackets, quotes, blanks or controls; "%" only before two hex digits.
bool pfadGueltig(std::string_view pfad)
{
    constexpr std::string_view erlaubt = "-._~!$&'()*+,;=:@/";
    while (!pfad.empty()) {
        const char c = pfad.front();
        if (c == '%') {
            if (pfad.size() < 3 || !istHex(pfad[1]) || !istHex(pfad[2]))
                return false;
            pfad.remove_prefix(3);
        } else if (istBuchstabeOderZiffer(c) || erlaubt.find(c) != std::string_view::npos) {
            pfad.remove_prefix(1);
        } else if (static_cast<unsigned char>(c) < 0x80 || !sichtbaresZeichenWegnehmen(pfad)) {
            return false;
        }
    }
    return true;
}

constexpr std::uint64_t groessteBildgroesse = 100'000'000;
constexpr std::uint64_t groessterKopf = std::uint64_t{ 1024 } * 1024;
constexpr std::uint64_t meisteVerbindungen = 16384;
constexpr std::uint64_t laengsteFrist = 3600;
} // namespace

std::string_view bedienungstext()
{
    return "Aufruf: bildhost --storage VERZEICHNIS [--address ADRESSE] [--port PORT] [--max-size BYTES]"
           " [--public-url URL] [weitere Grenzen, siehe --help]\n";
}

std::string hilfetext()
{
    const Startoptionen vorgabe;
    const auto zeile = [](std::string_view option, std::string_view text) {
        std::string ausgabe = "  ";
        ausgabe += option;
        ausgabe.append(option.size() < 33 ? 33 - option.size() : 1, ' ');
        ausgabe += text;
        ausgabe += '\n';
        return ausgabe;
    };
    std::string text = "Aufruf: bildhost --storage VERZEICHNIS [OPTION WERT]…\n"
                       "Nimmt Bilder per Formular an (POST /) und liefert sie aus (GET /NAME).\n\n";
    text += zeile("--storage VERZEICHNIS", "Verzeichnis der Bilder (Pflicht; wird angelegt, wenn es fehlt)");
    text += zeile("--address ADRESSE", "Adresse, auf der bildhost lauscht (Vorgabe " + vorgabe.adresse + ")");
    text += zeile(
        "--port PORT", "Port, 0 bis 65535; 0 nimmt einen freien (Vorgabe " + std::to_string(vorgabe.port) + ")");
    text += zeile("--public-url URL", "Anfang der URLs in den Antworten (Vorgabe http://ADRESSE:PORT/)");
    text += zeile("--max-size BYTES",
        "größtes Bild, 1 bis " + std::to_string(groessteBildgroesse) + " (Vorgabe "
            + std::to_string(vorgabe.hoechstgroesse) + ")");
    text += zeile("--max-header-size BYTES",
        "alle Kopfzeilen einer Anfrage zusammen, 1024 bis " + std::to_string(groessterKopf) + " (Vorgabe "
            + std::to_string(vorgabe.kopfHoechstens) + ")");
    text += zeile("--max-connections ANZAHL",
        "offene Verbindungen insgesamt, 1 bis " + std::to_string(meisteVerbindungen) + " (Vorgabe "
            + std::to_string(vorgabe.verbindungenHoechstens) + ")");
    text += zeile("--max-connections-per-ip ANZAHL",
        "offene Verbindungen je Client-Adresse, 1 bis " + std::to_string(meisteVerbindungen) + " (Vorgabe "
            + std::to_string(vorgabe.verbindungenJeAdresse) + ")");
    text += zeile("--request-timeout SEKUNDEN",
        "Zeit für eine ganze Anfrage, 1 bis " + std::to_string(laengsteFrist) + " (Vorgabe "
            + std::to_string(vorgabe.anfrageFristSekunden) + ")");
    text += zeile("--idle-timeout SEKUNDEN",
        "Verbindung ohne Daten schließen nach, 1 bis " + std::to_string(laengsteFrist) + " (Vorgabe "
            + std::to_string(vorgabe.leerlaufFristSekunden) + ")");
    text += zeile("--trusted-proxy ADRESSE",
        "Proxy, dessen X-Real-IP die Client-Adresse nennt; mehrfach möglich (Vorgabe keiner)");
    text += zeile("--help", "diese Hilfe");
    text += "\nExit-Status: 0 nach SIGTERM oder SIGINT, 1 bei einem Fehler beim Start,"
            " 2 bei einer falschen Option.\n";
    return text;
}

std::string oeffentlicheAdressePruefen(std::string_view adresse)
{
    std::string_view rest = adresse;
    if (!wegnehmen(rest, "http://") && !wegnehmen(rest, "https://"))
        return {};
    const std::size_t pfadAnfang = rest.find('/');
    std::string_view rechner = rest.substr(0, pfadAnfang);
    const std::string_view pfad = pfadAnfang == std::string_view::npos ? std::string_view() : rest.substr(pfadAnfang);
    // The port is whatever follows the last colon, unless that colon lies inside an IPv6 literal.
    const std::size_t doppelpunkt = rechner.rfind(':');
    if (doppelpunkt != std::string_view::npos && rechner.find(']', doppelpunkt) == std::string_view::npos) {
        std::uint32_t port = 0;
        if (!zahlLesen(rechner.substr(doppelpunkt + 1), port) || port == 0 || port > 65535)
            return {};
        rechner = rechner.substr(0, doppelpunkt);
    }
    if (!rechnerGueltig(rechner) || !pfadGueltig(pfad))
        return {};
    std::string mitSchraegstrich(adresse);
    if (!mitSchraegstrich.ends_with('/'))
        mitSchraegstrich += '/';
    return mitSchraegstrich;
}

std::optional<Startoptionen> startoptionenLesen(const std::vector<std::string_view>& argumente, std::string& fehler)
{
    Startoptionen optionen;
    const auto scheitern = [&fehler](std::string text) {
        fehler = std::move(text);
        return std::nullopt;
    };
    for (std::size_t i = 0; i < argumente.size(); i += 2) {
        const std::string_view name = argumente[i];
        if (name == "--help" || name == "-h") {
            optionen.hilfe = true;
            return optionen;
        }
        if (i + 1 >= argumente.size())
            return scheitern("Zu " + std::string(name) + " fehlt der Wert.");
        const std::string_view wert = argumente[i + 1];
        std::string bereichsfehler;
        bool imRahmen = true;
        if (name == "--address") {
            optionen.adresse = wert;
        } else if (name == "--port") {
            imRahmen = imBereich(name, wert, 0, 65535, optionen.port, bereichsfehler);
        } else if (name == "--storage") {
            optionen.ablage = std::filesystem::path(wert);
        } else if (name == "--max-size") {
            imRahmen = imBereich(name, wert, 1, groessteBildgroesse, optionen.hoechstgroesse, bereichsfehler);
        } else if (name == "--max-header-size") {
            imRahmen = imBereich(name, wert, 1024, groessterKopf, optionen.kopfHoechstens, bereichsfehler);
        } else if (name == "--max-connections") {
            imRahmen = imBereich(name, wert, 1, meisteVerbindungen, optionen.verbindungenHoechstens, bereichsfehler);
        } else if (name == "--max-connections-per-ip") {
            imRahmen = imBereich(name, wert, 1, meisteVerbindungen, optionen.verbindungenJeAdresse, bereichsfehler);
        } else if (name == "--request-timeout") {
            imRahmen = imBereich(name, wert, 1, laengsteFrist, optionen.anfrageFristSekunden, bereichsfehler);
        } else if (name == "--idle-timeout") {
            imRahmen = imBereich(name, wert, 1, laengsteFrist, optionen.leerlaufFristSekunden, bereichsfehler);
        } else if (name == "--public-url") {
            optionen.oeffentlicheAdresse = oeffentlicheAdressePruefen(wert);
            if (optionen.oeffentlicheAdresse.empty())
                return scheitern("--public-url braucht eine vollständige http- oder https-URL: Rechner, "
                                 "wahlweise Port und Pfad, ohne Abfrage (?), Anker (#), eckige Klammern, "
                                 "Anführungszeichen, Leer-, Steuer- und Formatzeichen.");
        } else if (name == "--trusted-proxy") {
            const auto proxy = adresseLesen(wert);
            if (!proxy)
                return scheitern("--trusted-proxy braucht eine IPv4- oder IPv6-Adresse wie 127.0.0.1 oder ::1, nicht „"
                    + std::string(wert) + "“.");
            optionen.vertrauteProxys.push_back(*proxy);
        } else {
            return scheitern("Unbekannte Option " + std::string(name) + ".");
        }
        if (!imRahmen)
            return scheitern(bereichsfehler);
    }
    if (optionen.ablage.empty())
        return scheitern("--storage fehlt: In welchem Verzeichnis sollen die Bilder liegen?");
    return optionen;
}
