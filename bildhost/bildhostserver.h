#pragma once

#include "ablage.h"
#include "loeschstelle.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct Bildhostregeln {
    // The start of every address a reply names, with its closing "/".
    std::string oeffentlicheAdresse;
    std::size_t hoechstgroesse = 250000;
    // All header lines of one request together, with its request line.
    std::size_t kopfHoechstens = 16 * 1024;
    unsigned verbindungenHoechstens = 512;
    unsigned verbindungenJeAdresse = 16;
    // From the first byte of a request to its last.
    std::chrono::milliseconds anfrageFrist = std::chrono::seconds(30);
    // A connection on which nothing moves is closed after this.
    std::chrono::seconds leerlaufFrist = std::chrono::seconds(10);
    // Failed deletions one client address may make before it must wait out the window.
    unsigned loeschFehlversuche = 10;
    std::chrono::seconds loeschFenster = std::chrono::minutes(15);
    // Reverse proxies, as address bytes (see clientadresse.h): a request from
    // one of them is the client's that its X-Real-IP names, and is refused
    // without a valid one. From any other peer the header is never read.
    std::vector<std::string> vertrauteProxys;
};

// The image host's jobs: POST "/" takes a picture from the upload form and
// answers with its address and a key for deleting it, GET "/NAME" hands a
// stored picture back, DELETE "/NAME" with that key in X-Delete-Key removes it.
// Everything else, and every refused upload, gets an HTML page without markers
// and the connection closes after it. What one request and all connections
// together may cost is bounded by the rules.
class Bildhostserver {
public:
    Bildhostserver(const Ablage& ablage, const Loeschstelle& loeschstelle, Bildhostregeln regeln);
    // Stops serving; a picture being stored is stored whole first.
    ~Bildhostserver();
    Bildhostserver(const Bildhostserver&) = delete;
    Bildhostserver& operator=(const Bildhostserver&) = delete;

    // Serves the connections that come in on the listening socket, which it
    // then owns, in a thread of its own. False with the reason when it cannot.
    bool starten(int lauschsocket, std::string& fehler);

private:
    struct Innen;
    std::unique_ptr<Innen> m_innen;
};
