#pragma once

#include "transfer/bilddatei.h"
#include "transfer/httpupload.h"

#include <QString>

class Statusanzeige;

// Sends the picture to the image host and returns the address the host wrote
// between "[img]" and "[/img]" in its reply; "" on failure, with the reason in
// fehlerText. The status display is closed again on every way out. When given,
// loeschschluessel gets the key for deleting the picture ("" without one).
QString bildhostUpload(const QString& host, const Bilddatei& datei, Statusanzeige& status, QString& fehlerText,
    const HttpGrenzen& grenzen = HttpGrenzen(), QString* loeschschluessel = nullptr);
