#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Startoptionen {
    std::string adresse = "127.0.0.1";
    // 0: any free port; the one taken is printed at start.
    int port = 8080;
    std::filesystem::path ablage;
    std::size_t hoechstgroesse = 250000;
    // The start of every address a reply names; "" means http://ADRESSE:PORT/.
    std::string oeffentlicheAdresse;
};

// Reads "--address A --port P --storage DIR [--max-size BYTES] [--public-url URL]".
// Nothing, with the reason in fehler, for an unknown, repeated-without-value
// or malformed option, or without --storage.
std::optional<Startoptionen> startoptionenLesen(const std::vector<std::string_view>& argumente, std::string& fehler);

std::string_view bedienungstext();

// The public address with its closing "/", or "" when it could not stand in a
// reply: the uploading program refuses addresses with blanks, control
// characters, quotes or angle brackets.
std::string oeffentlicheAdressePruefen(std::string_view adresse);
