#pragma once

#include <optional>
#include <string>
#include <string_view>

struct sockaddr;

// A client address as bildhost counts and logs it: the 4 bytes of an IPv4 or
// the 16 of an IPv6 address. An IPv4 address mapped into IPv6 is its 4 bytes,
// so one host never counts as two.

// Exactly one address in its plain notation ("192.0.2.1", "2001:db8::1"):
// nothing for a port, brackets, a zone, blanks, a list, a host name or octets
// with leading zeros, so a header can never name more than it says.
std::optional<std::string> adresseLesen(std::string_view text);

// "" for a family other than IPv4 and IPv6.
std::string adresseVon(const sockaddr* adresse);

std::string adresseAlsText(const std::string& adresse);
