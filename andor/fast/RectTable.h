#pragma once

#include <cstddef>
#include <cstdint>

#include "andor/fast/PartSides.h"
#include "andor/fast/ZeroedMemory.h"

namespace andor {

// One zeroed cell per rectangle whose sides parts of the plate can have, in memory the system
// zeroes, so that a search touches only the pages it needs. Plates with more than maxCells
// such rectangles get no table.
template <typename Cell> class RectTable {
public:
    RectTable(const PartSides& sides, std::size_t maxCells)
        : m_heightRanks(sides.heightRanks()), m_lengthStarts(sides.lengthStarts())
    {
        const std::size_t size = sides.cellCount();
        if (size > maxCells)
            return;
        m_memory = allocateZeroed(size * sizeof(Cell));
        m_cells = static_cast<Cell*>(m_memory.get());
    }

    bool empty() const { return m_cells == nullptr; }

    // The cell of a x b; only when the table is not empty.
    Cell& at(std::int32_t a, std::int32_t b)
    {
        return m_cells[m_lengthStarts[b] + m_heightRanks[a]];
    }

    // The cells of one length or of one height, by the other side: a loop over the cuts of a
    // rectangle along one side finds its parts' cells without looking the fixed side up again.
    template <typename Offset> class Line {
    public:
        Line(Cell* first, const Offset* offsets) : m_first(first), m_offsets(offsets) {}

        Cell& at(std::int32_t side) const { return m_first[m_offsets[side]]; }

    private:
        Cell* m_first;
        const Offset* m_offsets;
    };

    // The cells a x b of this length b, by a; only when the table is not empty.
    Line<std::uint32_t> ofLength(std::int32_t b) const
    {
        return {m_cells + m_lengthStarts[b], m_heightRanks};
    }

    // The cells a x b of this height a, by b; only when the table is not empty.
    Line<std::size_t> ofHeight(std::int32_t a) const
    {
        return {m_cells + m_heightRanks[a], m_lengthStarts};
    }

private:
    const std::uint32_t* m_heightRanks;
    const std::size_t* m_lengthStarts;
    ZeroedMemory m_memory;
    Cell* m_cells = nullptr;
};

} // namespace andor
