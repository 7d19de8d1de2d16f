#pragma once

#include <string_view>

namespace problem {

// Longest description whose line a BI input file reads back whole.
inline constexpr int maxDescriptionLength = 97;

// Why a description would not read back from a BI input file exactly as typed.
enum class DescriptionFault {
    None,
    // A character the file's code page cannot hold, or a control character.
    Unwritable,
    // More than maxDescriptionLength characters: the tail would be read as the next line.
    TooLong,
    // Leading characters the reader passes over (blanks, punctuation).
    LostStart,
};

// Checks a UTF-8 description against what writing and re-reading a BI input file keeps.
DescriptionFault checkDescription(std::string_view description);

} // namespace problem
