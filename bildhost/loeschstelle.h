#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Deleting stored pictures by their keys. Beside each picture that has one
// lies ".NAME.schluessel" with the key's hash; the dot keeps it from ever
// being served as a picture.
class Loeschstelle {
public:
    enum class Ergebnis {
        Geloescht,
        Verweigert, // no key given, a wrong one, or the picture has none
        Unbekannt, // no stored picture of that name
        Fehler, // the file system refused
    };

    explicit Loeschstelle(std::filesystem::path ordner);

    // A new key for the picture just stored under bildname; its hash is
    // written whole or not at all. "" when it could not be written: the
    // picture then has no key and cannot be deleted this way.
    std::string schluesselVergeben(std::string_view bildname) const;

    Ergebnis loeschen(std::string_view bildname, std::string_view schluessel) const;

private:
    std::filesystem::path hashdatei(std::string_view bildname) const;

    std::filesystem::path m_ordner;
};
