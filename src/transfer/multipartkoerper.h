#pragma once

#include <QByteArray>

// The form the image host expects: the file part first, then two fixed text
// fields, each opened by the fixed boundary. Nothing is escaped, so the file's
// bytes go out unchanged; the body ends right after the closing boundary.
QByteArray multipartKoerper(const QByteArray& dateipfad, const QByteArray& dateiinhalt);

// The Content-Type header line's value that names the body's boundary.
QByteArray multipartInhaltstyp();
