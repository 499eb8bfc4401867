#include "protokollzeile.h"

std::string protokollSicher(std::string_view text)
{
    static constexpr char ziffern[] = "0123456789abcdef";
    std::string sicher;
    sicher.reserve(text.size());
    for (const char zeichen : text) {
        const auto c = static_cast<unsigned char>(zeichen);
        if (c > 0x20 && c < 0x7F && c != '\\') {
            sicher += zeichen;
        } else {
            sicher += "\\x";
            sicher += ziffern[c >> 4];
            sicher += ziffern[c & 0xF];
        }
    }
    return sicher;
}

std::string protokollzeile(std::string_view methode, std::string_view pfad, int status)
{
    return protokollSicher(methode) + ' ' + protokollSicher(pfad) + ' ' + std::to_string(status);
}
