#include "loeschversuche.h"

namespace {
// Bounds the memory an attack from many addresses can take; when full, every
// address waits, which costs a guesser more than it costs the owners.
constexpr std::size_t adressenHoechstens = 65536;

// One IPv6 host usually holds a whole /64 and may take any address in it:
// counted per address, each one would bring ten fresh guesses.
std::string bereich(const std::string& adresse)
{
    return adresse.size() == 16 ? adresse.substr(0, 8) : adresse;
}
} // namespace

Loeschversuche::Loeschversuche(unsigned fehlversucheHoechstens, std::chrono::seconds fenster)
    : m_hoechstens(fehlversucheHoechstens)
    , m_fenster(fenster)
{
}

void Loeschversuche::aufraeumen(Uhr::time_point jetzt)
{
    std::erase_if(m_staende, [&](const auto& eintrag) { return jetzt - eintrag.second.beginn >= m_fenster; });
}

bool Loeschversuche::gesperrt(const std::string& adresse, Uhr::time_point jetzt)
{
    const auto stand = m_staende.find(bereich(adresse));
    if (stand == m_staende.end()) {
        if (m_staende.size() < adressenHoechstens)
            return false;
        aufraeumen(jetzt);
        return m_staende.size() >= adressenHoechstens;
    }
    if (jetzt - stand->second.beginn >= m_fenster) {
        m_staende.erase(stand);
        return false;
    }
    return stand->second.fehlversuche >= m_hoechstens;
}

void Loeschversuche::fehlversuch(const std::string& adresse, Uhr::time_point jetzt)
{
    if (m_staende.size() >= adressenHoechstens)
        aufraeumen(jetzt);
    if (m_staende.size() >= adressenHoechstens)
        return;
    auto [stand, neu] = m_staende.try_emplace(bereich(adresse), Stand{ jetzt, 0 });
    if (!neu && jetzt - stand->second.beginn >= m_fenster)
        stand->second = Stand{ jetzt, 0 };
    ++stand->second.fehlversuche;
}
