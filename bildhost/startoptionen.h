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
    // All header lines of one request together, names and values.
    std::size_t kopfHoechstens = 16 * 1024;
    unsigned verbindungenHoechstens = 512;
    unsigned verbindungenJeAdresse = 16;
    // From a request's first byte to its last.
    unsigned anfrageFristSekunden = 30;
    // A connection on which nothing moves.
    unsigned leerlaufFristSekunden = 10;
    // Peers whose X-Real-IP names the client, each as its bytes (see clientadresse.h).
    std::vector<std::string> vertrauteProxys;
    bool hilfe = false;
};

// Reads the command line (see hilfetext()). Nothing, with the reason in
// fehler, for an unknown option, a missing value, a value out of its range or
// no --storage; with "--help" the rest is not checked. --trusted-proxy may be
// given more than once.
std::optional<Startoptionen> startoptionenLesen(const std::vector<std::string_view>& argumente, std::string& fehler);

// One line: how to call it.
std::string_view bedienungstext();

// Every option with its default and range, for --help.
std::string hilfetext();

// The public address with its closing "/", or "" when it could not stand in a
// reply: only an absolute http(s) address of a host, an optional port and a
// path, since every link is this text and the picture's name behind it. A
// query or fragment would swallow the name, and brackets, quotes, blanks,
// controls or Unicode format characters would break the link where it is
// pasted or make it read as another one.
std::string oeffentlicheAdressePruefen(std::string_view adresse);
