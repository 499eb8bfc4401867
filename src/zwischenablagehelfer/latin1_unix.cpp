#include "zwischenablagehelfer/latin1_unix.h"

std::optional<std::string> latin1Form(std::string_view utf8)
{
    std::string latin1;
    latin1.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            latin1 += static_cast<char>(byte);
            continue;
        }
        // U+0080 to U+00FF are the two-byte forms led by C2 and C3; every other lead goes beyond.
        if ((byte != 0xC2 && byte != 0xC3) || i + 1 == utf8.size())
            return std::nullopt;
        const auto folge = static_cast<unsigned char>(utf8[++i]);
        if ((folge & 0xC0) != 0x80)
            return std::nullopt;
        latin1 += static_cast<char>(((byte & 0x03) << 6) | (folge & 0x3F));
    }
    return latin1;
}
