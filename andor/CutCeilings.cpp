#include "CutCeilings.h"

#include <algorithm>
#include <cmath>
#include <limits>

CutCeilings::CutCeilings(const TInstance& instance, DemandFills& fills,
                         const TDiscretizationSet& xSet, const TDiscretizationSet& ySet)
    : m_fills(fills), m_xSet(xSet), m_ySet(ySet),
      m_leaves(instance.plateHeight, instance.plateLength),
      m_pairs(instance.plateHeight, instance.plateLength)
{
}

float CutCeilings::leafOf(std::int32_t a, std::int32_t b)
{
    return static_cast<float>(m_fills.full(a, b).value);
}

float CutCeilings::pair(RectSize part)
{
    return m_pairs.get(part.height, part.length,
                       [this](std::int32_t a, std::int32_t b) { return pairOf(a, b); });
}

float CutCeilings::pairOf(std::int32_t a, std::int32_t b)
{
    float ceiling = leaf({a, b});
    const auto consider = [&](RectSize one, RectSize two) {
        const double sum = static_cast<double>(leaf(one)) + static_cast<double>(leaf(two));
        float rounded = static_cast<float>(sum);
        if (static_cast<double>(rounded) < sum)
            rounded = std::nextafter(rounded, std::numeric_limits<float>::infinity());
        ceiling = std::max(ceiling, rounded);
    };
    // The positions ascend, so none after the first beyond the side fits.
    for (std::int32_t j = 0; j < m_xSet.count; ++j) {
        const std::int32_t x = m_xSet.points[static_cast<std::size_t>(j)];
        if (x > a)
            break;
        if (m_xSet.floors[static_cast<std::size_t>(j)] <= b)
            consider({x, b}, {a - x, b});
    }
    for (std::int32_t k = 0; k < m_ySet.count; ++k) {
        const std::int32_t y = m_ySet.points[static_cast<std::size_t>(k)];
        if (y > b)
            break;
        if (m_ySet.floors[static_cast<std::size_t>(k)] <= a)
            consider({a, y}, {a, b - y});
    }
    return ceiling;
}
