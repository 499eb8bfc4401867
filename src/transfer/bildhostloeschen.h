#pragma once

#include "transfer/httpupload.h"

#include <QString>

// Asks the image host at host (maybe with ":port") to delete its picture
// name with the key its upload reply gave: "DELETE /name" with the key in the
// header X-Delete-Key. True when the host answered 204; otherwise false with
// a German sentence in fehlerText (wrong key, no such picture, too many tries).
bool bildhostLoeschen(const QString& host, const QString& name, const QString& schluessel, QString& fehlerText,
    const HttpGrenzen& grenzen = HttpGrenzen());
