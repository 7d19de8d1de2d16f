#pragma once

#include <string>
#include <string_view>

namespace shell {

// Deepest group nesting that is interpreted; deeper groups are skipped whole so that
// hostile input cannot exhaust memory.
inline constexpr int maxRtfGroupDepth = 128;

// True when the bytes are a rich-text document, that is they begin with "{\rtf".
bool isRtf(std::string_view bytes);

// Converts a rich-text document to an HTML fragment of paragraphs (UTF-8). Handles groups,
// paragraphs and line breaks, tabs, bold, italic, underline, font sizes, paragraph alignment,
// Windows-1252 and Unicode escapes, and skips destinations that hold no visible text. Runs in a
// fixed-pitch font of the font table get the generic family "monospace", so that text laid
// out in columns keeps them; other fonts are left to the reader's default.
// Never fails: malformed input yields whatever text could be recovered.
std::string rtfToHtml(std::string_view rtf);

} // namespace shell
