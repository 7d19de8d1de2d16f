#pragma once

#include <bit>
#include <cstdint>

#include "RectTable.h"

// Values by rectangle of a plate, each computed once; a plate too large for a table of them
// (more than 2^24 rectangles that parts can be, 64 MB) computes each value every time it is
// asked for.
class RectValueCache {
public:
    explicit RectValueCache(const PartSides& sides) : m_table(sides, maxCells) {}

    // Whether every value is computed each time it is asked for.
    bool uncached() const { return m_table.empty(); }

    // The value of a x b, computed by compute(a, b) the first time; values are never negative.
    // Always inline: it is a lookup, asked for in the searches' innermost loops.
    template <typename Compute>
    [[gnu::always_inline]] float get(std::int32_t a, std::int32_t b, Compute&& compute)
    {
        if (m_table.empty())
            return compute(a, b);
        // A cell holds the value's bits with the sign bit set, so that 0 means not known yet.
        std::uint32_t& cell = m_table.at(a, b);
        if (cell == 0)
            cell = std::bit_cast<std::uint32_t>(static_cast<float>(compute(a, b))) | signBit;
        return std::bit_cast<float>(cell & ~signBit);
    }

private:
    static constexpr std::size_t maxCells = std::size_t{1} << 24;
    static constexpr std::uint32_t signBit = 0x80000000u;

    RectTable<std::uint32_t> m_table;
};
