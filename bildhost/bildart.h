#pragma once

#include <optional>
#include <string_view>

// The kinds of picture the host keeps. Told apart by the file's first bytes,
// never by the name a client gives it.
enum class Bildart { Jpeg, Gif, Png };

std::optional<Bildart> bildartErkennen(std::string_view inhalt);
std::string_view endung(Bildart art);
std::string_view inhaltstyp(Bildart art);
// The kind a stored name's suffix stands for ("jpg", "gif", "png").
std::optional<Bildart> bildartZurEndung(std::string_view endung);
