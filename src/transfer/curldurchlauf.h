#pragma once

#include <curl/curl.h>

// Performs one transfer as curl_easy_perform does, driving libcurl's multi interface itself.
// The easy interface waits for libcurl's next timer whenever libcurl has no socket to watch.
// libcurl 7.88 is in that state on every FTP upload between the reply to EPSV or PASV and the
// connect of the data connection, and its next timer there is the happy-eyeballs timeout: about
// four uploads in ten to a near server sat 200 ms idle, plain `curl -T` alike. Here that state
// is met as libcurl's documentation advises, with a short pause and another look.
CURLcode curlDurchfuehren(CURL* handle);
