#pragma once

#include <QByteArray>
#include <QString>

#include "transfer/curlzeiger.h"

// The name the file gets on the server: what follows the last separator of
// the quote-free path. Both "\" and "/" separate, as a path on this system
// may use either.
QString langerName(const QString& pfad);

// The address libcurl uploads to: FTPServer ("host" or "host:port") and the
// remote name, which is relative to the login directory unless it starts with
// "/". Every byte the URL could misread (blanks, umlauts, "#", "%", ";") is
// percent-encoded, so the server gets the name as typed. Null when the server
// field is no usable host.
CurlUrl ftpAdresse(const QString& ftpServer, const QString& entfernterName);

// Whether a proxy as typed ("host", "host:port", "socks5://host:port") names its own port.
bool proxyNenntPort(const QByteArray& proxy);

// True when text holds a character below blank or DEL: such a character in a
// command argument would end the command line and start another.
bool hatSteuerzeichen(const QString& text);
