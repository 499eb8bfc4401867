#include "ablage.h"

#include "bildname.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
struct DateiSchliessen {
    void operator()(std::FILE* datei) const { std::fclose(datei); }
};
} // namespace

std::string ablageordnerPruefen(const std::filesystem::path& ordner)
{
    const std::string name = "Das Ablageverzeichnis „" + ordner.string() + "“";
    std::error_code fehler;
    std::filesystem::create_directories(ordner, fehler);
    if (fehler)
        return name + " fehlt und lässt sich nicht anlegen: " + fehler.message() + '.';
    if (!std::filesystem::is_directory(ordner, fehler))
        return name + " ist kein Verzeichnis" + (fehler ? ": " + fehler.message() : std::string()) + '.';
    if (access(ordner.c_str(), R_OK | W_OK | X_OK) != 0)
        return name + " ist nicht les- und beschreibbar: " + std::strerror(errno) + '.';
    return {};
}

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

std::optional<Bilddatei> Ablage::oeffnen(std::string_view name) const
{
    if (!istBildname(name))
        return std::nullopt;
    // The server has one thread: opening a FIFO would wait for a writer and
    // stop every other request, and opening a device may do something. Only
    // regular files are opened; the check after opening covers a swap between.
    const std::filesystem::path pfad = m_ordner / std::string(name);
    struct stat angaben { };
    if (lstat(pfad.c_str(), &angaben) != 0 || !S_ISREG(angaben.st_mode))
        return std::nullopt;
    const int deskriptor = open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (deskriptor < 0)
        return std::nullopt;
    if (fstat(deskriptor, &angaben) != 0 || !S_ISREG(angaben.st_mode)) {
        close(deskriptor);
        return std::nullopt;
    }
    return Bilddatei{ deskriptor, static_cast<std::uint64_t>(angaben.st_size) };
}
