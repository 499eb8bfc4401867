#include "platform/sitzungsbus.h"

// Windows keeps passwords and notifications without a message bus.
bool sitzungsbusDa()
{
    return true;
}
