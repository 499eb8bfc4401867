#pragma once

#include <curl/curl.h>

#include <memory>

// Owners for libcurl's objects, so every path out of a transfer frees them.
struct CurlFreigabe {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
    void operator()(curl_slist* liste) const { curl_slist_free_all(liste); }
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using CurlHandle = std::unique_ptr<CURL, CurlFreigabe>;
using CurlListe = std::unique_ptr<curl_slist, CurlFreigabe>;
using CurlUrl = std::unique_ptr<CURLU, CurlFreigabe>;
