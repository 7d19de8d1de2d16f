#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace problem {

// Integer conversion of typed text: leading blanks, optional sign, decimal digits or
// hexadecimal digits after "$", "x" or "0x"; signed 32-bit range; anything else fails.
std::optional<std::int32_t> parseInteger(std::string_view text);

// Real conversion of typed text: blanks around, optional sign, digits with an optional
// fraction after decimalSeparator, optional exponent; anything else fails.
std::optional<long double> parseReal(std::string_view text, char decimalSeparator);

// parseReal into the type a field is kept in; a value beyond that type's range fails, as no
// conversion could keep it.
template <std::floating_point Real>
std::optional<Real> parseRealAs(std::string_view text, char decimalSeparator)
{
    const auto value = parseReal(text, decimalSeparator);
    if (!value || std::fabs(*value) > std::numeric_limits<Real>::max())
        return std::nullopt;
    return static_cast<Real>(*value);
}

// The decimal separator a text names: a single ASCII character that the number forms do not
// already use (no digit, sign, blank, control character or exponent letter); else nothing.
std::optional<char> decimalSeparatorOf(std::string_view text);

// General real format: at most 15 significant digits, ties away from zero, trailing
// zeros dropped, plain from 1E-4 up to below 1E15, exponent form elsewhere.
std::string formatReal(long double value, char decimalSeparator);

// "Tempo: <1s" below one second, else "Tempo: <seconds>s".
std::string timeLine(std::int64_t elapsedSeconds);

} // namespace problem
