#include "platform/schriftkonfiguration.h"

#include <fontconfig/fontconfig.h>

// Parsing fontconfig's files and mapping its caches took 3.5 ms here, most of the first text's
// measuring; the other core is idle while QApplication starts. fontconfig makes its configuration
// once, whichever thread asks first.
std::jthread schriftkonfigurationLesen()
{
    return std::jthread([] { FcInit(); });
}
