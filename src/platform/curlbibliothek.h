#pragma once

#include <thread>

// Makes libcurl ready on a thread of its own, so that it is ready by the time the first transfer
// starts while the program meets the display and builds its windows meanwhile. Any libcurl call
// before then waits for it. The thread is joined when the returned object goes.
[[nodiscard]] std::jthread curlVorbereiten();
