#include "platform/argumentzeile.h"

#include <windows.h>

QString argumentString(int, char**)
{
    // The raw command line after the program's path, blanks and quotes as typed.
    const QString zeile = QString::fromWCharArray(GetCommandLineW());
    qsizetype i = 0;
    if (zeile.startsWith(u'"')) {
        i = zeile.indexOf(u'"', 1);
        i = i < 0 ? zeile.size() : i + 1;
    } else {
        while (i < zeile.size() && zeile.at(i) != u' ' && zeile.at(i) != u'\t')
            ++i;
    }
    while (i < zeile.size() && (zeile.at(i) == u' ' || zeile.at(i) == u'\t'))
        ++i;
    return zeile.mid(i);
}
