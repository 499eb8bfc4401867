#include "platform/argumentzeile.h"

#include <windows.h>

QStringList argumentListe(int, char**)
{
    // Windows hands over one line, which argumentString reads as typed; a
    // Windows file name holds no double quote, so nothing needs the single
    // arguments.
    return {};
}

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

void argumenteVerbergen(int, char**, const QList<Textstelle>&)
{
    // Other processes read the line from the process's parameter block, which
    // this program does not rewrite.
}
