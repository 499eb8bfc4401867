#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A stretch of the argument string: where it begins and how many characters it holds.
struct Textstelle {
    qsizetype anfang = 0;
    qsizetype laenge = 0;
};

// The program's arguments one by one, as the system handed them over; empty
// where the system hands the program one line only.
QStringList argumentListe(int argc, char** argv);

// The program's arguments as one string, the way the user wrote them after the program's name.
QString argumentString(int argc, char** argv);

// Overwrites the stretches of the argument string in the process's own copy of
// its arguments, which is what other users read in the process list. The
// program keeps what it read before; only the outside view changes.
void argumenteVerbergen(int argc, char** argv, const QList<Textstelle>& stellen);
