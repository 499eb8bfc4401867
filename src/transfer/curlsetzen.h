#pragma once

#include "transfer/curlzeiger.h"

#include <curl/curl.h>

#include <type_traits>

// libcurl answers every option with a code, and an option it refused leaves
// the transfer doing something other than what was asked: no time-out, a proxy
// from the environment, no way to stop it. So each option is checked; a
// transfer sets its options in one chain of && and fails as a whole when
// libcurl refuses one.
template <typename Wert> bool setzen(CURL* handle, CURLoption option, Wert wert)
{
    // libcurl reads the value as long, curl_off_t or a pointer: an int or an
    // enum would be read with the wrong width.
    static_assert(std::is_same_v<Wert, long> || std::is_same_v<Wert, curl_off_t> || std::is_pointer_v<Wert>);
    return curl_easy_setopt(handle, option, wert) == CURLE_OK;
}

// Appends zeile to liste; false, with liste as it was, when libcurl has no
// memory for the copy.
inline bool anhaengen(CurlListe& liste, const char* zeile)
{
    curl_slist* neu = curl_slist_append(liste.get(), zeile);
    if (!neu)
        return false;
    if (!liste)
        liste.reset(neu);
    return true;
}
