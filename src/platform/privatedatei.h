#pragma once

#include <QByteArray>
#include <QString>

// Where the settings store of anwendung lives, found without opening it:
// QSettings reads its file as soon as it is made, and a FIFO there would hold
// the program up for ever.
QString speicherort(const QString& anwendung);

// Makes sure the settings file exists and only its owner may read it, before
// anything secret is written to it, and that its folder takes the temporary
// file the store is replaced through. A store that is a link is the file it
// points to. True when that holds (or when the store is no file, as the
// registry on Windows); otherwise false with the system's reason in grund.
bool privateDateiAnlegen(const QString& pfad, QString& grund);

// True when the file at pfad is readable by its owner only (or is no file).
bool istPrivat(const QString& pfad);

// Why the existing store at pfad cannot be read: in the system's words, or in
// a sentence of our own when a FIFO, a device or a socket stands in its place;
// empty when it can be read or does not exist. What it holds goes to inhalt.
// Never waits for a writer or a device.
QString lesefehler(const QString& pfad, QByteArray& inhalt);
