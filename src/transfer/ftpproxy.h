#pragma once

#include <curl/curl.h>

struct Optionen;

// Direct access ignores any proxy of the environment; a named proxy is
// tunnelled through, so the FTP connection itself passes it. False when the
// proxy setting cannot be used.
bool proxyEinstellen(CURL* handle, const Optionen& optionen);
