#include "app/dateiliste.h"

#include <algorithm>

bool istDateiliste(const QStringList& argumente, const Dateitest& istDatei)
{
    return argumente.size() >= 2 && std::all_of(argumente.cbegin(), argumente.cend(), istDatei)
        && !istDatei(argumente.join(u' '));
}
