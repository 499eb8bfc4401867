#include "loeschschluessel.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <random>

std::string neuerLoeschschluessel()
{
    static constexpr char ziffern[] = "0123456789abcdef";
    thread_local std::random_device zufall;
    std::string schluessel;
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t wert = zufall();
        for (int stelle = 0; stelle < 8; ++stelle)
            schluessel += ziffern[(wert >> (4 * stelle)) & 0xF];
    }
    return schluessel;
}

std::string schluesselHash(std::string_view schluessel)
{
    static constexpr char ziffern[] = "0123456789abcdef";
    unsigned char hash[EVP_MAX_MD_SIZE];
    unsigned int laenge = 0;
    if (EVP_Digest(schluessel.data(), schluessel.size(), hash, &laenge, EVP_sha256(), nullptr) != 1)
        return {};
    std::string text;
    for (unsigned int i = 0; i < laenge; ++i) {
        text += ziffern[hash[i] >> 4];
        text += ziffern[hash[i] & 0xF];
    }
    return text;
}

bool gleicherHash(std::string_view a, std::string_view b)
{
    return !a.empty() && a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}
