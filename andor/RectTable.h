#pragma once

#include <cstddef>
#include <cstdint>

#include "PartSides.h"
#include "ZeroedMemory.h"

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

private:
    const std::uint32_t* m_heightRanks;
    const std::size_t* m_lengthStarts;
    ZeroedMemory m_memory;
    Cell* m_cells = nullptr;
};
