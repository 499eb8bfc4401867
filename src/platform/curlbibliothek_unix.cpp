#include "platform/curlbibliothek.h"

#include <curl/curl.h>

#include <dlfcn.h>

#include <cstdarg>

// libcurl is opened at run time, out of the global symbol scope, instead of linked. Linked, it and
// the 26 libraries it needs stand in that scope, and every symbol that Qt and its plugins look up
// at start is searched past them: that alone made a bare Qt program start 8 ms slower here, a
// quarter of its time. Opened with RTLD_LOCAL on a thread of its own, its libraries cost their own
// loading only, and that while the other core connects to the display. The functions below stand
// in for the few of libcurl's that the program calls, under their own names.
namespace {
struct Curl {
    decltype(&::curl_easy_init) easyInit = nullptr;
    decltype(&::curl_easy_setopt) easySetopt = nullptr;
    decltype(&::curl_easy_getinfo) easyGetinfo = nullptr;
    decltype(&::curl_easy_cleanup) easyCleanup = nullptr;
    decltype(&::curl_url) url = nullptr;
    decltype(&::curl_url_set) urlSet = nullptr;
    decltype(&::curl_url_get) urlGet = nullptr;
    decltype(&::curl_url_cleanup) urlCleanup = nullptr;
    decltype(&::curl_slist_append) slistAppend = nullptr;
    decltype(&::curl_slist_free_all) slistFreeAll = nullptr;
    decltype(&::curl_free) free = nullptr;
    decltype(&::curl_version_info) versionInfo = nullptr;
    decltype(&::curl_multi_init) multiInit = nullptr;
    decltype(&::curl_multi_add_handle) multiAdd = nullptr;
    decltype(&::curl_multi_remove_handle) multiRemove = nullptr;
    decltype(&::curl_multi_perform) multiPerform = nullptr;
    decltype(&::curl_multi_fdset) multiFdset = nullptr;
    decltype(&::curl_multi_timeout) multiTimeout = nullptr;
    decltype(&::curl_multi_poll) multiPoll = nullptr;
    decltype(&::curl_multi_info_read) multiInfoRead = nullptr;
    decltype(&::curl_multi_cleanup) multiCleanup = nullptr;
};

// Its 26 libraries look their symbols up among themselves first. Searched from the global scope,
// past Qt and everything the program links, the loading took twice as long here (11 ms against
// 6 ms), and the dynamic loader's lock is held all the while: meanwhile even the program's first
// regular expression waits for it. A sanitizer's runtime must stay the first to be found for
// malloc and the like, so those builds keep the usual order (AddressSanitizer refuses the flag).
#if defined(FOTOSCHICKER_MIT_SANITIZER) || defined(__SANITIZE_ADDRESS__)
constexpr int eigeneBindung = 0;
#else
constexpr int eigeneBindung = RTLD_DEEPBIND;
#endif

template <typename Funktion> bool holen(void* bibliothek, const char* name, Funktion& ziel)
{
    ziel = reinterpret_cast<Funktion>(::dlsym(bibliothek, name));
    return ziel != nullptr;
}

Curl oeffnen()
{
    void* bibliothek = ::dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL | eigeneBindung);
    if (!bibliothek)
        return {};
    Curl c;
    decltype(&::curl_global_init) globalInit = nullptr;
    const bool vollstaendig = holen(bibliothek, "curl_global_init", globalInit)
        && holen(bibliothek, "curl_easy_init", c.easyInit) && holen(bibliothek, "curl_easy_setopt", c.easySetopt)
        && holen(bibliothek, "curl_easy_getinfo", c.easyGetinfo)
        && holen(bibliothek, "curl_easy_cleanup", c.easyCleanup) && holen(bibliothek, "curl_url", c.url)
        && holen(bibliothek, "curl_url_set", c.urlSet) && holen(bibliothek, "curl_url_get", c.urlGet)
        && holen(bibliothek, "curl_url_cleanup", c.urlCleanup) && holen(bibliothek, "curl_slist_append", c.slistAppend)
        && holen(bibliothek, "curl_slist_free_all", c.slistFreeAll) && holen(bibliothek, "curl_free", c.free)
        && holen(bibliothek, "curl_version_info", c.versionInfo) && holen(bibliothek, "curl_multi_init", c.multiInit)
        && holen(bibliothek, "curl_multi_add_handle", c.multiAdd)
        && holen(bibliothek, "curl_multi_remove_handle", c.multiRemove)
        && holen(bibliothek, "curl_multi_perform", c.multiPerform)
        && holen(bibliothek, "curl_multi_fdset", c.multiFdset)
        && holen(bibliothek, "curl_multi_timeout", c.multiTimeout) && holen(bibliothek, "curl_multi_poll", c.multiPoll)
        && holen(bibliothek, "curl_multi_info_read", c.multiInfoRead)
        && holen(bibliothek, "curl_multi_cleanup", c.multiCleanup);
    // Without its set-up no handle is made, and each transfer says so as it would for a failed curl_easy_init.
    if (!vollstaendig || globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        return {};
    return c;
}

const Curl& curl()
{
    static const Curl geoeffnet = oeffnen();
    return geoeffnet;
}
} // namespace

std::jthread curlVorbereiten()
{
    return std::jthread([] { curl(); });
}

// libcurl declares the option as the last named parameter before the variable ones and reads
// its arguments with va_start on it, as these functions do; clang warns about that for an enum.
#if defined(__clang__)
#pragma clang diagnostic ignored "-Wvarargs"
#endif

extern "C" {
CURL* curl_easy_init()
{
    return curl().easyInit ? curl().easyInit() : nullptr;
}

// Every option takes one argument, whose type its number tells.
CURLcode(curl_easy_setopt)(CURL* handle, CURLoption option, ...)
{
    const auto setzen = curl().easySetopt;
    if (!setzen)
        return CURLE_FAILED_INIT;
    va_list argumente;
    va_start(argumente, option);
    CURLcode ergebnis = CURLE_OK;
    const bool zeiger
        = (option >= CURLOPTTYPE_OBJECTPOINT && option < CURLOPTTYPE_FUNCTIONPOINT) || option >= CURLOPTTYPE_BLOB;
    // curl_off_t is long on 64-bit Linux, but not everywhere.
    if (option < CURLOPTTYPE_OBJECTPOINT)
        ergebnis = setzen(handle, option, va_arg(argumente, long)); // NOLINT(bugprone-branch-clone)
    else if (zeiger)
        ergebnis = setzen(handle, option, va_arg(argumente, void*));
    else if (option < CURLOPTTYPE_OFF_T)
        ergebnis = setzen(handle, option, va_arg(argumente, void (*)()));
    else
        ergebnis = setzen(handle, option, va_arg(argumente, curl_off_t));
    va_end(argumente);
    return ergebnis;
}

// Every piece of information is written through one pointer.
CURLcode(curl_easy_getinfo)(CURL* handle, CURLINFO info, ...)
{
    if (!curl().easyGetinfo)
        return CURLE_FAILED_INIT;
    va_list argumente;
    va_start(argumente, info);
    void* ziel = va_arg(argumente, void*);
    va_end(argumente);
    return curl().easyGetinfo(handle, info, ziel);
}

void curl_easy_cleanup(CURL* handle)
{
    if (curl().easyCleanup)
        curl().easyCleanup(handle);
}

CURLU* curl_url()
{
    return curl().url ? curl().url() : nullptr;
}

CURLUcode curl_url_set(CURLU* handle, CURLUPart teil, const char* inhalt, unsigned int schalter)
{
    return curl().urlSet ? curl().urlSet(handle, teil, inhalt, schalter) : CURLUE_OUT_OF_MEMORY;
}

CURLUcode curl_url_get(CURLU* handle, CURLUPart teil, char** inhalt, unsigned int schalter)
{
    return curl().urlGet ? curl().urlGet(handle, teil, inhalt, schalter) : CURLUE_OUT_OF_MEMORY;
}

void curl_url_cleanup(CURLU* handle)
{
    if (curl().urlCleanup)
        curl().urlCleanup(handle);
}

curl_slist* curl_slist_append(curl_slist* liste, const char* text)
{
    return curl().slistAppend ? curl().slistAppend(liste, text) : nullptr;
}

void curl_slist_free_all(curl_slist* liste)
{
    if (curl().slistFreeAll)
        curl().slistFreeAll(liste);
}

void curl_free(void* zeiger)
{
    if (curl().free)
        curl().free(zeiger);
}

curl_version_info_data* curl_version_info(CURLversion version)
{
    return curl().versionInfo ? curl().versionInfo(version) : nullptr;
}

CURLM* curl_multi_init()
{
    return curl().multiInit ? curl().multiInit() : nullptr;
}

CURLMcode curl_multi_add_handle(CURLM* multi, CURL* handle)
{
    return curl().multiAdd ? curl().multiAdd(multi, handle) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_remove_handle(CURLM* multi, CURL* handle)
{
    return curl().multiRemove ? curl().multiRemove(multi, handle) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_perform(CURLM* multi, int* laufend)
{
    return curl().multiPerform ? curl().multiPerform(multi, laufend) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_fdset(CURLM* multi, fd_set* lesen, fd_set* schreiben, fd_set* ausnahme, int* hoechster)
{
    return curl().multiFdset ? curl().multiFdset(multi, lesen, schreiben, ausnahme, hoechster) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_timeout(CURLM* multi, long* frist)
{
    return curl().multiTimeout ? curl().multiTimeout(multi, frist) : CURLM_BAD_HANDLE;
}

CURLMcode curl_multi_poll(CURLM* multi, curl_waitfd* zusatz, unsigned int zusatzzahl, int frist, int* bereit)
{
    return curl().multiPoll ? curl().multiPoll(multi, zusatz, zusatzzahl, frist, bereit) : CURLM_BAD_HANDLE;
}

CURLMsg* curl_multi_info_read(CURLM* multi, int* uebrig)
{
    return curl().multiInfoRead ? curl().multiInfoRead(multi, uebrig) : nullptr;
}

CURLMcode curl_multi_cleanup(CURLM* multi)
{
    return curl().multiCleanup ? curl().multiCleanup(multi) : CURLM_BAD_HANDLE;
}
}
