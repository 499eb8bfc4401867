#pragma once

#include <QByteArray>

// QSettings hands a value that reads "@Variant(…)" or "@DateTime(…)", once unescaped, to
// QDataStream as whatever type its bytes name; a count in them is taken as it stands, and one
// such line made the program ask for 16 GB. The program writes no such value (a text starting
// with "@" is stored as "@@…"). Returns the number, from 1, of the first line of an INI file that
// holds one, or 0.
qsizetype binaerwertZeile(const QByteArray& inhalt);
