#include "platform/privatedatei.h"

bool privateDateiAnlegen(const QString&)
{
    // The registry key of the current user is private already.
    return true;
}
