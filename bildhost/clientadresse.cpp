#include "clientadresse.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cstring>

namespace {
std::string alsBytes(const void* daten, std::size_t laenge)
{
    return std::string(static_cast<const char*>(daten), laenge);
}

std::string ipv6Bytes(const in6_addr& adresse)
{
    if (IN6_IS_ADDR_V4MAPPED(&adresse))
        return alsBytes(adresse.s6_addr + 12, 4);
    return alsBytes(adresse.s6_addr, sizeof adresse.s6_addr);
}
} // namespace

std::optional<std::string> adresseLesen(std::string_view text)
{
    // inet_pton stops at a NUL and would read "192.0.2.1\0junk" as an address.
    if (text.empty() || text.size() >= INET6_ADDRSTRLEN || text.find('\0') != std::string_view::npos)
        return std::nullopt;
    const std::string mitNull(text);
    in_addr v4{};
    if (inet_pton(AF_INET, mitNull.c_str(), &v4) == 1)
        return alsBytes(&v4, sizeof v4);
    in6_addr v6{};
    if (inet_pton(AF_INET6, mitNull.c_str(), &v6) == 1)
        return ipv6Bytes(v6);
    return std::nullopt;
}

std::string adresseVon(const sockaddr* adresse)
{
    if (!adresse)
        return {};
    if (adresse->sa_family == AF_INET) {
        sockaddr_in v4{};
        std::memcpy(&v4, adresse, sizeof v4);
        return alsBytes(&v4.sin_addr, sizeof v4.sin_addr);
    }
    if (adresse->sa_family == AF_INET6) {
        sockaddr_in6 v6{};
        std::memcpy(&v6, adresse, sizeof v6);
        return ipv6Bytes(v6.sin6_addr);
    }
    return {};
}

std::string adresseAlsText(const std::string& adresse)
{
    char text[INET6_ADDRSTRLEN] = {};
    const int familie = adresse.size() == 4 ? AF_INET : adresse.size() == 16 ? AF_INET6 : AF_UNSPEC;
    if (familie == AF_UNSPEC || !inet_ntop(familie, adresse.data(), text, sizeof text))
        return "-";
    return text;
}
