#include "platform/zwischenablagebewahren.h"

void zwischenablageBewahren(const QString&) { }

void zwischenablageVorbereiten() { }
