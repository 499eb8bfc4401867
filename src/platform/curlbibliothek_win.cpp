#include "platform/curlbibliothek.h"

#include <curl/curl.h>

// Linked as usual here, and set up at once on the calling thread.
std::jthread curlVorbereiten()
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
    return std::jthread();
}
