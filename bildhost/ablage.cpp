#include "ablage.h"

#include "bildname.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

namespace {
struct DateiSchliessen {
    void operator()(std::FILE* datei) const { std::fclose(datei); }
};
} // namespace

Ablage::Ablage(std::filesystem::path ordner)
    : m_ordner(std::move(ordner))
{
}

std::optional<std::string> Ablage::speichern(std::string_view inhalt, Bildart art) const
{
    const std::string name = neuerBildname(art);
    const std::filesystem::path ziel = m_ordner / name;
    const std::filesystem::path entwurf = m_ordner / (".neu-" + name);
    {
        // "x": never overwrite; a clash of random names fails instead of losing a picture.
        std::unique_ptr<std::FILE, DateiSchliessen> datei(std::fopen(entwurf.c_str(), "wbx"));
        if (!datei)
            return std::nullopt;
        const bool geschrieben = std::fwrite(inhalt.data(), 1, inhalt.size(), datei.get()) == inhalt.size();
        if (!geschrieben || std::fclose(datei.release()) != 0) {
            std::error_code ignoriert;
            std::filesystem::remove(entwurf, ignoriert);
            return std::nullopt;
        }
    }
    std::error_code fehler;
    if (std::filesystem::exists(ziel, fehler)) {
        std::filesystem::remove(entwurf, fehler);
        return std::nullopt;
    }
    std::filesystem::rename(entwurf, ziel, fehler);
    if (fehler) {
        std::filesystem::remove(entwurf, fehler);
        return std::nullopt;
    }
    return name;
}

std::optional<std::string> Ablage::lesen(std::string_view name) const
{
    if (!istBildname(name))
        return std::nullopt;
    std::ifstream datei(m_ordner / std::string(name), std::ios::binary);
    if (!datei)
        return std::nullopt;
    std::ostringstream inhalt;
    inhalt << datei.rdbuf();
    return std::move(inhalt).str();
}
