#pragma once

#include <thread>

// Reads the system's font configuration on a thread of its own while Qt connects to the display;
// Qt reads it when it first measures a text, and finds it read. The thread is joined when the
// returned object goes, or earlier by the caller.
[[nodiscard]] std::jthread schriftkonfigurationLesen();
