#pragma once

#include "bildart.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The folder the pictures live in. Only names of the host's own form go in or
// come out, so no request can reach a file outside it.
class Ablage {
public:
    explicit Ablage(std::filesystem::path ordner);

    // Stores the picture under a new name and returns that name; nothing when
    // it could not be written. A half-written picture is never visible under
    // its name: it is written aside and renamed when complete.
    std::optional<std::string> speichern(std::string_view inhalt, Bildart art) const;

    // The stored picture's bytes, or nothing for a name of another form or an absent file.
    std::optional<std::string> lesen(std::string_view name) const;

private:
    std::filesystem::path m_ordner;
};
