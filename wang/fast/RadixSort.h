#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace wang {

// Sorts values ascending by value >> lowBits, which must be below 2^33; values that tie there
// come in no set order. By three 11-bit digits, least significant first, for long lists; by
// comparison for short ones, where the digit counts would cost more than they save.
inline void sortByHighBits(std::vector<std::uint64_t>& values, std::vector<std::uint64_t>& scratch,
                           unsigned lowBits)
{
    constexpr std::size_t digitBits = 11;
    constexpr std::size_t radix = std::size_t{1} << digitBits;
    if (values.size() < 1024) {
        std::ranges::sort(values);
        return;
    }
    scratch.resize(values.size());
    for (std::size_t shift = lowBits; shift < lowBits + 3 * digitBits; shift += digitBits) {
        std::array<std::size_t, radix> starts{};
        for (const std::uint64_t value : values)
            ++starts[(value >> shift) & (radix - 1)];
        std::size_t total = 0;
        for (std::size_t& start : starts)
            total += std::exchange(start, total);
        for (const std::uint64_t value : values)
            scratch[starts[(value >> shift) & (radix - 1)]++] = value;
        values.swap(scratch);
    }
}

} // namespace wang
