#pragma once

#include "transfer/httpupload.h"

#include <QString>

// The image host that image-host mode posts to: a host name, maybe with ":port".
// Fixed when the program is built.
QString imageHost();

// What an exchange with that host may cost at most.
HttpGrenzen imageHostGrenzen();
