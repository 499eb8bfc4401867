#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <string>

// Counts the failed deletions per client address (per /64 for IPv6), so no
// one can guess keys: past the limit an address gets no further answer for
// the rest of the window. Used from the server's one thread only.
class Loeschversuche {
public:
    using Uhr = std::chrono::steady_clock;

    Loeschversuche(unsigned fehlversucheHoechstens, std::chrono::seconds fenster);

    bool gesperrt(const std::string& adresse, Uhr::time_point jetzt);
    void fehlversuch(const std::string& adresse, Uhr::time_point jetzt);

private:
    struct Stand {
        Uhr::time_point beginn;
        unsigned fehlversuche = 0;
    };
    void aufraeumen(Uhr::time_point jetzt);

    const unsigned m_hoechstens;
    const std::chrono::seconds m_fenster;
    std::map<std::string, Stand> m_staende;
};
