#pragma once

#include <QString>

// The status window's tooltip during a transfer: how far it is, how fast it
// goes and how long it will still take, in German, for example
// "42 % übertragen, 1,2 MB/s, noch 5 s". The speed is that of the
// millisekunden since the count stood at gesendetAmStart; speed and time are
// left out until something has moved.
QString fortschrittstext(qint64 gesendet, qint64 gesamt, qint64 millisekunden, qint64 gesendetAmStart);
