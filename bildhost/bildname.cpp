#include "bildname.h"

#include <random>

namespace {
constexpr std::size_t hexStellen = 32;
}

std::string neuerBildname(Bildart art)
{
    static constexpr char ziffern[] = "0123456789abcdef";
    thread_local std::random_device zufall;
    std::string name;
    name.reserve(hexStellen + 4);
    for (std::size_t i = 0; i < hexStellen / 8; ++i) {
        const std::uint32_t wert = zufall();
        for (int stelle = 0; stelle < 8; ++stelle)
            name += ziffern[(wert >> (4 * stelle)) & 0xF];
    }
    name += '.';
    name += endung(art);
    return name;
}

bool istBildname(std::string_view name)
{
    if (name.size() < hexStellen + 1 || name[hexStellen] != '.')
        return false;
    for (std::size_t i = 0; i < hexStellen; ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return bildartZurEndung(name.substr(hexStellen + 1)).has_value();
}
