#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Integer conversion of typed text: leading blanks, optional sign, decimal digits or
// hexadecimal digits after "$", "x" or "0x"; signed 32-bit range; anything else fails.
std::optional<std::int32_t> parseInteger(std::string_view text);

// Real conversion of typed text: blanks around, optional sign, digits with an optional
// fraction after decimalSeparator, optional exponent; anything else fails.
std::optional<long double> parseReal(std::string_view text, char decimalSeparator);

// General real format: at most 15 significant digits, ties away from zero, trailing
// zeros dropped, plain from 1E-4 up to below 1E15, exponent form elsewhere.
std::string formatReal(long double value, char decimalSeparator);

// "Tempo: <1s" below one second, else "Tempo: <seconds>s".
std::string timeLine(std::int64_t elapsedSeconds);
