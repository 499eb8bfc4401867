#pragma once

#include <string>
#include <string_view>

// The page a successful upload gets: the picture's address between the
// "[img]" and "[/img]" markers the uploading program looks for.
std::string erfolgsseite(std::string_view adresse);

// The page a refused upload gets; it never holds the markers.
std::string fehlerseite(std::string_view grund);
