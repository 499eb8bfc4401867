#include "platform/zwischenablagebewahren.h"

bool zwischenablageBewahren(const QString&)
{
    return false;
}

void zwischenablageVorbereiten() { }
