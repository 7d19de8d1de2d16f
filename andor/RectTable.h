#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

// One zeroed cell per rectangle a x b of a plate, 0 <= a <= H and 0 <= b <= W, in memory the
// system zeroes, so that a search touches only the pages it needs. A plate of more than
// maxCells rectangles gets no table.
template <typename Cell> class RectTable {
public:
    RectTable(std::int32_t plateHeight, std::int32_t plateLength, std::size_t maxCells)
        : m_stride(static_cast<std::size_t>(plateHeight) + 1)
    {
        const std::size_t size = m_stride * (static_cast<std::size_t>(plateLength) + 1);
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
        return m_cells[static_cast<std::size_t>(b) * m_stride + static_cast<std::size_t>(a)];
    }

private:
    struct Free {
        void operator()(Cell* cells) const { std::free(cells); }
    };

    std::size_t m_stride;
    std::unique_ptr<Cell[], Free> m_cells;
};
