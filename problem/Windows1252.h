#pragma once

#include <string>
#include <string_view>

// Windows-1252 bytes to UTF-8; the five unassigned bytes map to their C1 code points.
std::string fromWindows1252(std::string_view bytes);

// UTF-8 to Windows-1252; a character the code page cannot hold, or a malformed
// sequence, becomes "?" so a file is never corrupted.
std::string toWindows1252(std::string_view utf8);
