#pragma once

#include "transfer/ftpadresse.h"

#include <QString>

#include <curl/curl.h>

// Sets up the handle for the protection the server's scheme asked for. With
// TLS, the login and every data connection must be encrypted (no fallback to
// clear text), and the server's certificate must name the host and lead to a
// trusted authority: the system's, or those that SSL_CERT_FILE and
// SSL_CERT_DIR name, as for OpenSSL programs. False when libcurl refuses.
bool schutzEinstellen(CURL* handle, FtpSchutz schutz);

// A web server over http, or over https with its certificate checked as for
// FTP over TLS; no other protocol, not even on a redirect. False when libcurl refuses.
bool webSchutzEinstellen(CURL* handle, bool https);

// The authorities a server's certificate must lead to: the system's, or those
// that SSL_CERT_FILE and SSL_CERT_DIR name. False when libcurl refuses.
bool vertrauensankerEinstellen(CURL* handle);

// When ergebnis says the server's certificate was refused: the sentence for
// the user, naming host and the reason in German; otherwise "".
QString zertifikatsFehler(CURL* handle, CURLcode ergebnis, const QString& host);

// A certificate the system does not trust passes on its pinned public key
// alone (nadel: libcurl's "sha256//..."); the name must still match. False
// when libcurl refuses.
bool nadelEinstellen(CURL* handle, const QByteArray& nadel);

// The server's certificate (DER) of a connection set up by nadelEinstellen; empty when there is none.
QByteArray zertifikatAbholen(CURL* handle);
