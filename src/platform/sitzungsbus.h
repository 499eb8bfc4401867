#pragma once

// True when the desktop session announces a message bus. Asking for one that
// is not announced makes libdbus "autolaunch" a bus of its own, which takes
// its time and outlives the program.
bool sitzungsbusDa();
