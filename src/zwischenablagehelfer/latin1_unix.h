#pragma once

#include <optional>
#include <string>
#include <string_view>

// The Latin-1 form of a UTF-8 text, which X11's STRING type carries; none when
// the text holds a character beyond U+00FF or is no valid UTF-8.
std::optional<std::string> latin1Form(std::string_view utf8);
