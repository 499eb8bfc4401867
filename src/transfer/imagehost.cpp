#include "transfer/imagehost.h"

QString imageHost()
{
    return QStringLiteral(FOTOSCHICKER_IMAGE_HOST);
}

HttpGrenzen imageHostGrenzen()
{
    return {};
}
