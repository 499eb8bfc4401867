#pragma once

#include "platform/argumentzeile.h"

#include <QString>

struct Optionen;

// What the command line asks the user to be told.
enum class Parametermeldung {
    Keine,
    UngueltigerParameter, // the first piece is not a parameter; the usage text follows
    FehlenderDateiname, // parameters without a file name behind /file:
};

struct Parameterergebnis {
    // The file to send, possibly still in double quotes; "" when there is none.
    QString dateiname;
    Parametermeldung meldung = Parametermeldung::Keine;
    // The rejected piece as written, blanks included, for the invalid-parameter message.
    QString ungueltigesStueck;
};

// The command-line grammar without any window: a bare file name, or
// /ftpserver: /ftpuser: /ftppassword: /ftppath: /url: /file: parameters.
// Parameters overwrite their fields of optionen and set parameterModus; the
// fields stay overwritten even when the file name turns out to be missing.
Parameterergebnis parameterZerlegen(const QString& argumentString, Optionen& optionen);

// Where the argument string holds the value of a /ftppassword: parameter:
// every stretch after the keyword up to the next parameter, whether or not
// the rest of the line is valid, so it can be hidden from other users.
QList<Textstelle> passwortStellen(const QString& argumentString);
