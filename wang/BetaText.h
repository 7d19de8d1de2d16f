#pragma once

#include <expected>
#include <string>
#include <string_view>

namespace wang {

// Beta as typed, read with decimalSeparator as a 32-bit real; otherwise the message that asks
// for a number.
std::expected<float, std::string> readBeta(std::string_view text, char decimalSeparator);

} // namespace wang
