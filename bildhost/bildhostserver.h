#pragma once

#include "ablage.h"

#include <cstddef>
#include <string>

namespace httplib {
class Server;
}

struct Bildhostregeln {
    // The start of every address a reply names, with its closing "/".
    std::string oeffentlicheAdresse;
    std::size_t hoechstgroesse = 250000;
};

// Teaches the server its two jobs: POST "/" takes a picture from the upload
// form and answers with its address, GET "/NAME" hands a stored picture back.
// Everything else, and every refused upload, gets an HTML page without markers.
// Also bounds what a request may cost.
void bildhostEinrichten(httplib::Server& server, const Ablage& ablage, const Bildhostregeln& regeln);
