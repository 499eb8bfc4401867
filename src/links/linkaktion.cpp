#include "links/linkaktion.h"

QString Linkaktion::ausfuehren(const QString& link, const QString&, const QString&, const FeldArray&, const Optionen&)
{
    return link;
}
