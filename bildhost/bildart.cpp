#include "bildart.h"

namespace {
constexpr std::string_view jpegAnfang("\xFF\xD8\xFF", 3);
constexpr std::string_view pngAnfang("\x89PNG\r\n\x1A\n", 8);
constexpr std::string_view gif87Anfang("GIF87a");
constexpr std::string_view gif89Anfang("GIF89a");
} // namespace

std::optional<Bildart> bildartErkennen(std::string_view inhalt)
{
    if (inhalt.starts_with(jpegAnfang))
        return Bildart::Jpeg;
    if (inhalt.starts_with(pngAnfang))
        return Bildart::Png;
    if (inhalt.starts_with(gif87Anfang) || inhalt.starts_with(gif89Anfang))
        return Bildart::Gif;
    return std::nullopt;
}

std::string_view endung(Bildart art)
{
    switch (art) {
    case Bildart::Jpeg:
        return "jpg";
    case Bildart::Gif:
        return "gif";
    case Bildart::Png:
        return "png";
    }
    return {};
}

std::string_view inhaltstyp(Bildart art)
{
    switch (art) {
    case Bildart::Jpeg:
        return "image/jpeg";
    case Bildart::Gif:
        return "image/gif";
    case Bildart::Png:
        return "image/png";
    }
    return {};
}

std::optional<Bildart> bildartZurEndung(std::string_view suffix)
{
    for (const Bildart art : { Bildart::Jpeg, Bildart::Gif, Bildart::Png }) {
        if (endung(art) == suffix)
            return art;
    }
    return std::nullopt;
}
