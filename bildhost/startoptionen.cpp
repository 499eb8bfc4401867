#include "startoptionen.h"

#include <charconv>
#include <cstdint>

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
            + std::to_string(groesste) + ", nicht \"" + std::string(wert) + "\".";
        return false;
    }
    ziel = static_cast<Ziel>(zahl);
    return true;
}

constexpr std::uint64_t groessteBildgroesse = 100'000'000;
constexpr std::uint64_t groessterKopf = std::uint64_t{ 1024 } * 1024;
constexpr std::uint64_t meisteVerbindungen = 16384;
constexpr std::uint64_t laengsteFrist = 3600;
} // namespace

std::string_view bedienungstext()
{
    return "Aufruf: bildhost --storage ORDNER [--address ADRESSE] [--port PORT] [--max-size BYTES]"
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
    std::string text = "Aufruf: bildhost --storage ORDNER [OPTION WERT]...\n"
                       "Nimmt Bilder per Formular an (POST /) und liefert sie aus (GET /NAME).\n\n";
    text += zeile("--storage ORDNER", "Ordner der Bilder (Pflicht; wird angelegt, wenn er fehlt)");
    text += zeile("--address ADRESSE", "Adresse, auf der bildhost lauscht (Vorgabe " + vorgabe.adresse + ")");
    text += zeile(
        "--port PORT", "Port, 0 bis 65535; 0 nimmt einen freien (Vorgabe " + std::to_string(vorgabe.port) + ")");
    text += zeile("--public-url URL", "Anfang der Adressen in den Antworten (Vorgabe http://ADRESSE:PORT/)");
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
    text += zeile("--help", "diese Hilfe");
    text += "\nExit-Status: 0 nach SIGTERM oder SIGINT, 1 bei einem Fehler beim Start,"
            " 2 bei einer falschen Option.\n";
    return text;
}

std::string oeffentlicheAdressePruefen(std::string_view adresse)
{
    if (!adresse.starts_with("http://") && !adresse.starts_with("https://"))
        return {};
    for (const char zeichen : adresse) {
        const auto c = static_cast<unsigned char>(zeichen);
        if (c <= 0x20 || c == 0x7F || c == '"' || c == '<' || c == '>')
            return {};
    }
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
                return scheitern("--public-url braucht eine http- oder https-Adresse ohne Leerzeichen, "
                                 "Anführungszeichen und spitze Klammern.");
        } else {
            return scheitern("Unbekannte Option " + std::string(name) + ".");
        }
        if (!imRahmen)
            return scheitern(bereichsfehler);
    }
    if (optionen.ablage.empty())
        return scheitern("--storage fehlt: in welchem Ordner sollen die Bilder liegen?");
    return optionen;
}
