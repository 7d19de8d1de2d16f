#pragma once

#include <atomic>
#include <bit>
#include <cstdint>

#include "andor/fast/RectTable.h"

namespace andor {

// Values by rectangle of a plate, each computed once; a plate too large for a table of them
// (more than 2^24 rectangles that parts can be, 64 MB) computes each value every time it is
// asked for. Threads may share a cache whose values depend on the rectangle alone: one that
// finds a value unknown computes it too, and stores the same.
class RectValueCache {
    using Table = RectTable<std::uint32_t>;

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
        return valueIn(m_table.at(a, b), [&] { return compute(a, b); });
    }

    // The values of one length or of one height, by the other side, as RectTable::Line.
    template <typename Offset> class Line {
    public:
        explicit Line(Table::Line<Offset> cells) : m_cells(cells) {}

        // The value of the rectangle with this other side, computed by compute() the first
        // time.
        template <typename Compute>
        [[gnu::always_inline]] float get(std::int32_t side, Compute&& compute) const
        {
            return valueIn(m_cells.at(side), compute);
        }

    private:
        Table::Line<Offset> m_cells;
    };

    // Only when the values are cached.
    Line<std::uint32_t> ofLength(std::int32_t b) const { return Line(m_table.ofLength(b)); }
    Line<std::size_t> ofHeight(std::int32_t a) const { return Line(m_table.ofHeight(a)); }

private:
    static constexpr std::size_t maxCells = std::size_t{1} << 24;
    static constexpr std::uint32_t signBit = 0x80000000u;

    // A cell holds the value's bits with the sign bit set, so that 0 means not known yet.
    template <typename Compute>
    [[gnu::always_inline]] static float valueIn(std::uint32_t& cell, Compute&& compute)
    {
        const std::atomic_ref<std::uint32_t> shared(cell);
        std::uint32_t known = shared.load(std::memory_order_relaxed);
        if (known == 0) [[unlikely]] {
            known = std::bit_cast<std::uint32_t>(static_cast<float>(compute())) | signBit;
            shared.store(known, std::memory_order_relaxed);
        }
        return std::bit_cast<float>(known & ~signBit);
    }

    Table m_table;
};

} // namespace andor
