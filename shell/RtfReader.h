#pragma once

#include <string>
#include <string_view>

// Deepest group nesting that is interpreted; deeper groups are skipped whole so that
// hostile input cannot exhaust memory.
inline constexpr int maxRtfGroupDepth = 128;

// True when the bytes are a rich-text document, that is they begin with "{\rtf".
bool isRtf(std::string_view bytes);

// Converts a rich-text document to an HTML fragment of paragraphs (UTF-8). Handles groups,
// paragraphs and line breaks, tabs, bold, italic, underline, font sizes, paragraph alignment,
// Windows-1252 and Unicode escapes, and skips destinations that hold no visible text.
// Never fails: malformed input yields whatever text could be recovered.
std::string rtfToHtml(std::string_view rtf);
