#pragma once

#include "transfer/httpupload.h"

#include <QString>

// Asks the image host at host, as the upload named it (see bildhostBasis:
// host[:port] over HTTP, https://host[:port] with the certificate checked as
// for FTP over TLS), to delete its picture name with the key its upload reply
// gave: "DELETE /name" with the key in the header X-Delete-Key. True when the
// host answered 204; otherwise false with a German sentence in fehlerText
// (wrong key, no such picture, too many tries, an untrusted certificate).
bool bildhostLoeschen(const QString& host, const QString& name, const QString& schluessel, QString& fehlerText,
    const HttpGrenzen& grenzen = HttpGrenzen());
