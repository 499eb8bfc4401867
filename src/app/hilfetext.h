#pragma once

#include <QString>

class Dialoge;

// How the program can be called from the command line, fifteen lines joined by CR LF.
QString hilfeText();

// Shows hilfeText() in an information box titled "Parameter".
void hilfeAnzeigen(Dialoge& dialoge);
