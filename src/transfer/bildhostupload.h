#pragma once

#include "transfer/httpupload.h"

#include <QString>

class Statusanzeige;

// Sends the picture at path to the image host and returns the address the host
// wrote between "[img]" and "[/img]" in its reply; "" on failure, with the
// reason in fehlerText. path is the file as the run settled it, quotes
// already dealt with; it comes back in its short form. The status display is
// closed again on every way out.
QString bildhostUpload(const QString& host, QString& path, Statusanzeige& status, QString& fehlerText,
    const HttpGrenzen& grenzen = HttpGrenzen());
