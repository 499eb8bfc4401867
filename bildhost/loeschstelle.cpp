#include "loeschstelle.h"

#include "bildname.h"
#include "loeschschluessel.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>

namespace {
// The hash file is small and ours: anything longer is not one we wrote.
constexpr std::size_t hashHoechstens = 128;

std::string dateiLesen(const std::filesystem::path& pfad)
{
    const int deskriptor = open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (deskriptor < 0)
        return {};
    std::array<char, hashHoechstens> puffer{};
    const ssize_t gelesen = read(deskriptor, puffer.data(), puffer.size());
    close(deskriptor);
    return gelesen > 0 ? std::string(puffer.data(), static_cast<std::size_t>(gelesen)) : std::string();
}

bool dateiSchreiben(const std::filesystem::path& pfad, std::string_view inhalt)
{
    // "Never overwrite" and private: a key's hash is nobody's business.
    const int deskriptor = open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (deskriptor < 0)
        return false;
    const bool geschrieben = write(deskriptor, inhalt.data(), inhalt.size()) == static_cast<ssize_t>(inhalt.size());
    return close(deskriptor) == 0 && geschrieben;
}
} // namespace

Loeschstelle::Loeschstelle(std::filesystem::path ordner)
    : m_ordner(std::move(ordner))
{
}

std::filesystem::path Loeschstelle::hashdatei(std::string_view bildname) const
{
    return m_ordner / ("." + std::string(bildname) + ".schluessel");
}

std::string Loeschstelle::schluesselVergeben(std::string_view bildname) const
{
    const std::string schluessel = neuerLoeschschluessel();
    const std::string hash = schluesselHash(schluessel);
    const std::filesystem::path ziel = hashdatei(bildname);
    const std::filesystem::path entwurf = m_ordner / (".neu" + ziel.filename().string());
    std::error_code fehler;
    if (hash.empty() || !dateiSchreiben(entwurf, hash)) {
        std::filesystem::remove(entwurf, fehler);
        return {};
    }
    std::filesystem::rename(entwurf, ziel, fehler);
    if (fehler) {
        std::filesystem::remove(entwurf, fehler);
        return {};
    }
    return schluessel;
}

Loeschstelle::Ergebnis Loeschstelle::loeschen(std::string_view bildname, std::string_view schluessel) const
{
    std::error_code fehler;
    // As for serving: a link, FIFO or device under a picture's name is no picture of ours.
    if (!istBildname(bildname)
        || !std::filesystem::is_regular_file(std::filesystem::symlink_status(m_ordner / std::string(bildname), fehler)))
        return Ergebnis::Unbekannt;
    if (schluessel.empty() || !gleicherHash(dateiLesen(hashdatei(bildname)), schluesselHash(schluessel)))
        return Ergebnis::Verweigert;
    if (!std::filesystem::remove(m_ordner / std::string(bildname), fehler) || fehler)
        return Ergebnis::Fehler;
    std::filesystem::remove(hashdatei(bildname), fehler);
    return Ergebnis::Geloescht;
}
