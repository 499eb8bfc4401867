#include "app/parameterzerlegung.h"
#include "platform/argumentzeile.h"
#include "settings/optionen.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The input is the argument vector after the program's name, one argument per
// NUL-separated piece, exactly as the shell hands it over.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const QList<QByteArray> argumente
        = QByteArray(reinterpret_cast<const char*>(daten), qsizetype(groesse)).split('\0');
    QList<char*> argv{ const_cast<char*>("fotoschicker") };
    for (const QByteArray& argument : argumente)
        argv.append(const_cast<char*>(argument.constData()));
    argv.append(nullptr);

    Optionen optionen;
    const Parameterergebnis ergebnis = parameterZerlegen(argumentString(int(argv.size() - 1), argv.data()), optionen);

    // A command line the user is told is faulty must not send a file as well.
    if (ergebnis.meldung != Parametermeldung::Keine && !ergebnis.dateiname.isEmpty()) {
        std::fprintf(stderr, "Meldung und Dateiname zugleich\n");
        std::abort();
    }
    return 0;
}
