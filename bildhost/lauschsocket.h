#pragma once

#include <optional>
#include <string>

struct Lauschsocket {
    int deskriptor = -1;
    // The port bound, also when 0 asked for any free one.
    int port = 0;
};

// A listening TCP socket on the address (a numeric IPv4 or IPv6 address or a
// host name) and port; nothing, with one line naming both and the reason, when
// the address is unknown or the port cannot be had.
std::optional<Lauschsocket> lauschen(const std::string& adresse, int port, std::string& fehler);
