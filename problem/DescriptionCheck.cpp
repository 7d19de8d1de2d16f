#include "problem/DescriptionCheck.h"

#include "problem/BiFile.h"
#include "problem/Windows1252.h"

#include <algorithm>
#include <string>

namespace problem {

namespace {

// Control characters, including the bytes the code page leaves unassigned.
bool isControlByte(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
           byte == 0x90 || byte == 0x9D;
}

// Reads the description back through the file reader itself, so the check never drifts
// from the rules the reader applies.
bool readsBackUnchanged(std::string_view description, const std::string& bytes)
{
    const auto parsed = parseBiFile("1\r\n\r\n" + bytes + "\r\n0   0\r\n0\r\n");
    if (!parsed)
        return false;
    // An empty line reads as an empty description, without its line end.
    if (description.empty())
        return parsed->description.empty();
    return parsed->description == std::string(description) + "\r\n";
}

} // namespace

DescriptionFault checkDescription(std::string_view description)
{
    const std::string bytes = toWindows1252(description);
    const bool hasControl = std::ranges::any_of(
        bytes, [](char c) { return isControlByte(static_cast<unsigned char>(c)); });
    if (hasControl || fromWindows1252(bytes) != description)
        return DescriptionFault::Unwritable;
    if (bytes.size() > static_cast<std::size_t>(maxDescriptionLength))
        return DescriptionFault::TooLong;
    if (!readsBackUnchanged(description, bytes))
        return DescriptionFault::LostStart;
    return DescriptionFault::None;
}

} // namespace problem
