#include "platform/desktopbenachrichtigung.h"

void Desktopbenachrichtigung::hochgeladen(const QStringList&, bool) { }
