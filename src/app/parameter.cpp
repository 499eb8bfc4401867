#include "app/parameter.h"

QString parameterAuswerten(const QString& argumentString, Optionen&, Dialoge&)
{
    // For now the whole argument string names the file.
    return argumentString;
}
