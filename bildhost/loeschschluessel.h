#pragma once

#include <string>
#include <string_view>

// A new key for deleting one picture: 32 random lower-case hex digits (128 bits).
std::string neuerLoeschschluessel();

// What the host keeps of a key: its SHA-256 in hex. Whoever reads the storage
// folder learns no key from it.
std::string schluesselHash(std::string_view schluessel);

// Compares two hashes in a time that does not tell how much of them matched.
bool gleicherHash(std::string_view a, std::string_view b);
