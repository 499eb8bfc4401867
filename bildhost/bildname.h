#pragma once

#include "bildart.h"

#include <string>
#include <string_view>

// Stored pictures are named by the host alone: 32 random lower-case hex
// digits and the kind's suffix. Nothing a client sends ends up in a path.
std::string neuerBildname(Bildart art);

// True only for names of that form, so a request can never reach any other file.
bool istBildname(std::string_view name);
