#include "platform/schriftkonfiguration.h"

// Qt takes the fonts from Windows itself: there is nothing to read ahead.
std::jthread schriftkonfigurationLesen()
{
    return {};
}
