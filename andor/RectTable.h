#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

#include "PartSides.h"

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
        m_cells.reset(static_cast<Cell*>(std::calloc(size, sizeof(Cell))));
        if (!m_cells)
            throw std::bad_alloc();
    }

    bool empty() const { return !m_cells; }

    // The cell of a x b; only when the table is not empty.
    Cell& at(std::int32_t a, std::int32_t b)
    {
        return m_cells[m_lengthStarts[b] + m_heightRanks[a]];
    }

private:
    struct Free {
        void operator()(Cell* cells) const { std::free(cells); }
    };

    const std::uint32_t* m_heightRanks;
    const std::size_t* m_lengthStarts;
    std::unique_ptr<Cell[], Free> m_cells;
};
