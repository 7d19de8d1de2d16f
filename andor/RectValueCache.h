#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Values by rectangle of a plate, each computed once; a plate too large for a table of them
// (more than 2^24 rectangles, 64 MB) computes each value every time it is asked for.
class RectValueCache {
public:
    RectValueCache(std::int32_t plateHeight, std::int32_t plateLength)
        : m_stride(static_cast<std::size_t>(plateHeight) + 1)
    {
        const std::size_t size = m_stride * (static_cast<std::size_t>(plateLength) + 1);
        if (size <= maxCells)
            m_values.assign(size, unknown);
    }

    // The value of a x b, computed by compute(a, b) the first time; values are never negative.
    template <typename Compute> float get(std::int32_t a, std::int32_t b, Compute&& compute)
    {
        if (m_values.empty())
            return compute(a, b);
        float& cached =
            m_values[static_cast<std::size_t>(b) * m_stride + static_cast<std::size_t>(a)];
        if (cached == unknown)
            cached = compute(a, b);
        return cached;
    }

private:
    static constexpr std::size_t maxCells = std::size_t{1} << 24;
    static constexpr float unknown = -1.0f;

    std::size_t m_stride;
    std::vector<float> m_values;
};
