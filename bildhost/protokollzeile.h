#pragma once

#include <string>
#include <string_view>

// One log line for one request: "METHOD PATH STATUS". Whatever a client put
// into the method or path, the line stays one line with three fields: control
// characters, blanks, backslashes and bytes beyond ASCII are written as \xHH.
std::string protokollzeile(std::string_view methode, std::string_view pfad, int status);

std::string protokollSicher(std::string_view text);
