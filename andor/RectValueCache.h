#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

// Values by rectangle of a plate, each computed once; a plate too large for a table of them
// (more than 2^24 rectangles, 64 MB) computes each value every time it is asked for.
class RectValueCache {
public:
    RectValueCache(std::int32_t plateHeight, std::int32_t plateLength)
        : m_stride(static_cast<std::size_t>(plateHeight) + 1)
    {
        const std::size_t size = m_stride * (static_cast<std::size_t>(plateLength) + 1);
        if (size > maxCells)
            return;
        // Zeroed memory from the system: a search touches only the pages it needs.
        m_cells.reset(static_cast<std::uint32_t*>(std::calloc(size, sizeof(std::uint32_t))));
        if (!m_cells)
            throw std::bad_alloc();
    }

    // The value of a x b, computed by compute(a, b) the first time; values are never negative.
    template <typename Compute> float get(std::int32_t a, std::int32_t b, Compute&& compute)
    {
        if (!m_cells)
            return compute(a, b);
        // A cell holds the value's bits with the sign bit set, so that 0 means not known yet.
        std::uint32_t& cell =
            m_cells[static_cast<std::size_t>(b) * m_stride + static_cast<std::size_t>(a)];
        if (cell == 0)
            cell = std::bit_cast<std::uint32_t>(static_cast<float>(compute(a, b))) | signBit;
        return std::bit_cast<float>(cell & ~signBit);
    }

private:
    static constexpr std::size_t maxCells = std::size_t{1} << 24;
    static constexpr std::uint32_t signBit = 0x80000000u;

    struct Free {
        void operator()(std::uint32_t* cells) const { std::free(cells); }
    };

    std::size_t m_stride;
    std::unique_ptr<std::uint32_t[], Free> m_cells;
};
