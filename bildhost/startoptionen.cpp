#include "startoptionen.h"

#include <charconv>

namespace {
template <typename Zahl> bool zahlLesen(std::string_view text, Zahl& zahl)
{
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), zahl);
    return fehler == std::errc() && ende == text.data() + text.size();
}
} // namespace

std::string_view bedienungstext()
{
    return "Aufruf: bildhost --address ADRESSE --port PORT --storage ORDNER"
           " [--max-size BYTES] [--public-url URL]\n";
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
    for (std::size_t i = 0; i < argumente.size(); i += 2) {
        const std::string_view name = argumente[i];
        if (i + 1 >= argumente.size()) {
            fehler = "Zu " + std::string(name) + " fehlt der Wert.";
            return std::nullopt;
        }
        const std::string_view wert = argumente[i + 1];
        if (name == "--address") {
            optionen.adresse = wert;
        } else if (name == "--port") {
            if (!zahlLesen(wert, optionen.port) || optionen.port < 0 || optionen.port > 65535) {
                fehler = "Der Port muss eine Zahl von 0 bis 65535 sein.";
                return std::nullopt;
            }
        } else if (name == "--storage") {
            optionen.ablage = std::filesystem::path(wert);
        } else if (name == "--max-size") {
            if (!zahlLesen(wert, optionen.hoechstgroesse) || optionen.hoechstgroesse == 0) {
                fehler = "--max-size braucht eine Byte-Zahl größer als 0.";
                return std::nullopt;
            }
        } else if (name == "--public-url") {
            optionen.oeffentlicheAdresse = oeffentlicheAdressePruefen(wert);
            if (optionen.oeffentlicheAdresse.empty()) {
                fehler = "--public-url braucht eine http- oder https-Adresse ohne Leerzeichen, "
                         "Anführungszeichen und spitze Klammern.";
                return std::nullopt;
            }
        } else {
            fehler = "Unbekannte Option " + std::string(name) + ".";
            return std::nullopt;
        }
    }
    if (optionen.ablage.empty()) {
        fehler = "--storage fehlt: in welchem Ordner sollen die Bilder liegen?";
        return std::nullopt;
    }
    return optionen;
}
