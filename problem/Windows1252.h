#pragma once

#include <string>
#include <string_view>

namespace problem {

// Appends the UTF-8 form of a Unicode code point.
void appendUtf8(std::string& out, char32_t codePoint);

// Windows-1252 bytes to UTF-8; the five unassigned bytes map to their C1 code points.
std::string fromWindows1252(std::string_view bytes);

// UTF-8 to Windows-1252; a character the code page cannot hold, or a malformed
// sequence, becomes "?" so a file is never corrupted.
std::string toWindows1252(std::string_view utf8);

} // namespace problem
