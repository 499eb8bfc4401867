#pragma once

#include <QByteArrayView>

// QSettings hands a value that reads "@Variant(…)" or "@DateTime(…)", once unescaped, to
// QDataStream as whatever type its bytes name; a count in them is taken as it stands, and one
// such line made the program ask for 16 GB. The program writes no such value (a text starting
// with "@" is stored as "@@…"). Whether one line of an INI file holds one.
bool haeltBinaerwert(QByteArrayView zeile);
