#pragma once

#include <QByteArray>

// The form the image host expects: the file part first, then two fixed text
// fields, each opened by the fixed boundary. The file's bytes go out
// unchanged; the body ends right after the closing boundary. dateiname is the
// file's name without its folders; its '"', CR and LF are written %22, %0D and
// %0A as browsers do, so the name cannot end the header line or the part.
// The body is 335 bytes plus the written name plus the file.
QByteArray multipartKoerper(const QByteArray& dateiname, const QByteArray& dateiinhalt);

// The Content-Type header line's value that names the body's boundary.
QByteArray multipartInhaltstyp();
