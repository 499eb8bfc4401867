#include "platform/desktopbenachrichtigung.h"

void Desktopbenachrichtigung::hochgeladen(const QString&, bool) { }
