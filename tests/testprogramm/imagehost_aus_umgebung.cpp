// The image host of the test program fotoschicker_testgrenzen, taken from the
// environment, so an end-to-end test can point the installed program at a
// server on a free port and shorten the limit of the whole exchange.
#include "transfer/imagehost.h"

#include <QtGlobal>

QString imageHost()
{
    return qEnvironmentVariable("FOTOSCHICKER_TEST_BILDHOST");
}

HttpGrenzen imageHostGrenzen()
{
    HttpGrenzen grenzen;
    bool zahl = false;
    const int sekunden = qEnvironmentVariableIntValue("FOTOSCHICKER_TEST_GESAMTZEIT", &zahl);
    if (zahl && sekunden > 0)
        grenzen.gesamt = std::chrono::seconds(sekunden);
    return grenzen;
}
