#pragma once

#include "bildart.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// An open stored picture; whoever takes it closes the descriptor.
struct Bilddatei {
    int deskriptor = -1;
    std::uint64_t groesse = 0;
};

// Creates the folder when it is missing and checks that the host may read and
// write there. "" when it can, else one line naming the folder and the reason.
std::string ablageordnerPruefen(const std::filesystem::path& ordner);

// The folder the pictures live in. Only names of the host's own form go in or
// come out, so no request can reach a file outside it.
class Ablage {
public:
    explicit Ablage(std::filesystem::path ordner);

    // Stores the picture under a new name and returns that name; nothing when
    // it could not be written. A half-written picture is never visible under
    // its name: it is written aside and renamed when complete.
    std::optional<std::string> speichern(std::string_view inhalt, Bildart art) const;

    // The stored picture, opened for reading; nothing for a name of another
    // form, an absent file, or anything else than a regular file under it. Served straight from the file, so a picture
    // being sent costs no memory of its size.
    std::optional<Bilddatei> oeffnen(std::string_view name) const;

private:
    std::filesystem::path m_ordner;
};
