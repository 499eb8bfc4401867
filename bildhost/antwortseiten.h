#pragma once

#include <string>
#include <string_view>

// The page a successful upload gets: the picture's address between the
// "[img]" and "[/img]" markers the uploading program looks for, and after
// them the key for deleting it between "[delete]" and "[/delete]" (none when
// schluessel is empty). Outside the address's markers, so older programs
// read the page as before.
std::string erfolgsseite(std::string_view adresse, std::string_view schluessel);

// The page a refused upload gets; it never holds the markers.
std::string fehlerseite(std::string_view grund);
