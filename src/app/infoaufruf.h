#pragma once

#include <QString>
#include <QStringList>

// A start that only asks about the program: it prints its answer on standard
// output and ends, with no window, no lock and no settings touched.
enum class Infoaufruf {
    Keiner, // an ordinary start
    Hilfe, // --help or -h
    Version, // --version or -V
};

// Exactly one argument that is one of the four words, and nothing of that name
// in the file system: a picture called "-h" is still a picture.
Infoaufruf infoaufrufErkennen(const QStringList& argumente);

// What the start prints, in plain text with a closing line end.
QString infoText(Infoaufruf aufruf);

// "--verlauf" as the one and only argument, and nothing of that name in the
// file system: the start opens the history window instead of sending.
bool verlaufAufgerufen(const QStringList& argumente);
