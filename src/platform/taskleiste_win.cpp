#include "platform/taskleiste.h"

void ausDerTaskleiste(QWindow*)
{
    // Windows leaves tool windows out of the taskbar by itself.
}
