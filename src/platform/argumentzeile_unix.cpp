#include "platform/argumentzeile.h"

#include <QFile>
#include <QStringList>

QString argumentString(int argc, char** argv)
{
    // The shell has split the line already; an argument that held blanks keeps them.
    QStringList teile;
    for (int i = 1; i < argc; ++i)
        teile.append(QFile::decodeName(argv[i]));
    return teile.join(u' ');
}
