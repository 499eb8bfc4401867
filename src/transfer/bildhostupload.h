#pragma once

#include "transfer/httpupload.h"

#include <QString>

class Statusanzeige;

// Sends the picture at path to the image host and returns the address the host
// wrote between "[img]" and "[/img]" in its reply; "" on failure, with the
// reason in fehlerText. path comes back quote-free in its short form. The
// status display is closed again on every way out.
QString bildhostUpload(const QString& host, QString& path, Statusanzeige& status, QString& fehlerText,
    const HttpGrenzen& grenzen = HttpGrenzen());
