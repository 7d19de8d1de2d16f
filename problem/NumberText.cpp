#include "problem/NumberText.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace problem {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexDigitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::size_t skipBlanks(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return pos;
}

// Length of the hexadecimal prefix at pos ("$", "x", "X", "0x", "0X"), or 0.
std::size_t hexPrefixLength(std::string_view text, std::size_t pos)
{
    const std::string_view rest = text.substr(pos);
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X'))
        return 1;
    if (rest.starts_with("0x") || rest.starts_with("0X"))
        return 2;
    return 0;
}

// Rounds the 15-digit mantissa up by one unit; returns true when it carried into a 16th digit.
bool incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
    digits.pop_back();
    return true;
}

constexpr int significantDigits = 15;

} // namespace

std::optional<std::int32_t> parseInteger(std::string_view text)
{
    std::size_t pos = skipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    const std::size_t prefix = hexPrefixLength(text, pos);
    const int base = prefix > 0 ? 16 : 10;
    pos += prefix;
    if (pos >= text.size())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hexDigitValue(text[pos]);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > std::int64_t{1} << 31)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<long double> parseReal(std::string_view text, char decimalSeparator)
{
    const std::size_t begin = skipBlanks(text, 0);
    std::size_t end = text.size();
    while (end > begin && text[end - 1] == ' ')
        --end;
    // Rewritten into the C form that from_chars reads, whatever the separator is.
    std::string plain;
    std::size_t pos = begin;
    if (pos < end && (text[pos] == '+' || text[pos] == '-')) {
        if (text[pos] == '-')
            plain += '-';
        ++pos;
    }
    int mantissaDigits = 0;
    for (; pos < end && isDigit(text[pos]); ++pos, ++mantissaDigits)
        plain += text[pos];
    if (pos < end && text[pos] == decimalSeparator) {
        plain += '.';
        for (++pos; pos < end && isDigit(text[pos]); ++pos, ++mantissaDigits)
            plain += text[pos];
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (pos < end && (text[pos] == 'E' || text[pos] == 'e')) {
        plain += 'e';
        ++pos;
        if (pos < end && (text[pos] == '+' || text[pos] == '-'))
            plain += text[pos++];
        int exponentDigits = 0;
        for (; pos < end && isDigit(text[pos]); ++pos, ++exponentDigits)
            plain += text[pos];
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (pos != end)
        return std::nullopt;
    long double value = 0;
    const auto [last, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc{} || last != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

std::optional<char> decimalSeparatorOf(std::string_view text)
{
    if (text.size() != 1)
        return std::nullopt;
    const char c = text.front();
    const bool printableAscii = c > ' ' && c < 0x7F;
    if (!printableAscii || isDigit(c) || c == '+' || c == '-' || c == 'e' || c == 'E')
        return std::nullopt;
    return c;
}

std::string formatReal(long double value, char decimalSeparator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // Truncated digits are the exact leading digits of the binary value, so the
    // 16th decides the rounding (ties away from zero) without a second rounding.
    char buffer[64];
    const int previousRounding = std::fegetround();
    std::fesetround(FE_TOWARDZERO);
    std::snprintf(buffer, sizeof buffer, "%.*Le", significantDigits + 4, std::fabs(value));
    std::fesetround(previousRounding);

    // printf writes the locale's decimal point, which may take several bytes: the digits are
    // picked out around it.
    const std::string_view printed(buffer);
    const std::size_t exponentAt = printed.find('e');
    std::string digits(printed.substr(0, exponentAt));
    std::erase_if(digits, [](char c) { return !isDigit(c); });
    const char nextDigit = digits.at(significantDigits);
    digits.resize(significantDigits);
    int exponent = std::stoi(std::string(printed.substr(exponentAt + 1)));
    if (nextDigit >= '5' && incrementDigits(digits))
        ++exponent;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = value < 0 ? "-" : "";
    if (exponent >= -4 && exponent < significantDigits) {
        if (exponent < 0) {
            text += '0';
            text += decimalSeparator;
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text += digits;
        } else {
            const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                text += digits;
                text.append(integerDigits - digits.size(), '0');
            } else {
                text += digits.substr(0, integerDigits);
                text += decimalSeparator;
                text += digits.substr(integerDigits);
            }
        }
    } else {
        text += digits[0];
        if (digits.size() > 1) {
            text += decimalSeparator;
            text += digits.substr(1);
        }
        text += 'E';
        text += std::to_string(exponent);
    }
    return text;
}

std::string timeLine(std::int64_t elapsedSeconds)
{
    if (elapsedSeconds < 1)
        return "Tempo: <1s";
    return "Tempo: " + std::to_string(elapsedSeconds) + "s";
}

} // namespace problem
