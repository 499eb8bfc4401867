#pragma once

#include <QString>

// The picture of one run, named in the three ways its steps need. Made once,
// before the first check, so every step reads the same file under the same name.
struct Bilddatei {
    // The path as the run means it: double quotes taken off, or kept where
    // they belong to the name. Messages show it.
    QString pfad;
    // What the file system answers for pfad (the 8.3 form on Windows); every
    // local read goes through it. "" when there is no such file.
    QString kurzerPfad;
    // The name after the last folder: the upload stores the file under it and
    // the link ends with it.
    QString langerName;
};

// The picture named on the command line. woertlich: the name was taken as
// written (a single argument naming an existing file), so its quotes are part of it.
Bilddatei bilddateiAus(const QString& gegebenerName, bool woertlich);

// Whether name ends with a picture ending the image host takes and the snippet
// shows as a picture: ".jpg", ".jpeg", ".gif" or ".png", in any case.
bool hatBildEndung(const QString& name);
