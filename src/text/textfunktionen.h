#pragma once

#include <QString>
#include <QStringList>

// A field array: element 0 is always empty, the fields stand in elements 1..n,
// so size() - 1 is the number of fields.
using FeldArray = QStringList;

// True when gesucht ends with one of the entries; only the tail of gesucht is
// lower-cased, so entries must be written in lower case to match case-blind.
bool rechts_enthalten(const FeldArray& feld, const QString& gesucht);

// Replaces every non-overlapping occurrence, left to right; inserted text is never searched again.
QString stringreplace(const QString& eingabe, const QString& ersetzenvon, const QString& ersetzendurch);

QString boolean2string(bool jein);

// The quote-free form of a path: every double-quote character removed.
QString ohneAnfuehrungszeichen(const QString& pfad);

// A reason as a sentence: the system's come without a full stop, the program's own with one.
QString alsSatz(const QString& grund);
