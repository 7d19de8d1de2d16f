#include "andor/bounds/CutCeilings.h"

#include <algorithm>

#include "andor/bounds/SumRoundedUp.h"

namespace andor {

CutCeilings::CutCeilings(const problem::TInstance& instance, const FitTable& fits,
                         const DemandBound& bound, const TDiscretizationSet& xSet,
                         const TDiscretizationSet& ySet, const PartSides& sides,
                         std::int32_t deepest)
    : m_fits(fits), m_bound(bound), m_xSet(xSet), m_ySet(ySet), m_leaves(sides),
      m_levelsKept(std::clamp(deepest, 1, mostLevelsKept))
{
    for (int i = 0; i < instance.pieceCount; ++i)
        m_demands.push_back(instance.pieces[static_cast<std::size_t>(i)].demand);
    // The tables come zeroed from the system, so those a search never reaches cost nothing.
    for (int table = 0; table < 3 * m_levelsKept; ++table)
        m_withLevels.emplace_back(sides);
}

float CutCeilings::ceilingOf(std::int32_t a, std::int32_t b, std::int32_t levels,
                             CutsAllowed allowed)
{
    const float bound = std::min(m_bound.within({a, b}, m_demands),
                                 m_bound.blocksWithin({a, b}, m_demands, levels));
    // Whatever a part can be worth with fewer levels of cuts it can be worth with more, so
    // the loop starts from the ceiling with one level fewer, which often holds the bound
    // already.
    const float fewer = levels > 1 ? withLevels({a, b}, levels - 1, allowed) : leaf({a, b});
    return std::min(cutsOf(a, b, levels, allowed, bound, fewer), bound);
}

// Stops at the first cut that reaches the bound: no later one can lower the ceiling.
// A strip cut at its own height, as only the last position it may take allows, is the same
// strip with one level fewer, whose ceiling the strip's own ceiling already holds.
float CutCeilings::cutsOf(std::int32_t a, std::int32_t b, std::int32_t levels, CutsAllowed allowed,
                          float bound, float start)
{
    float ceiling = start;
    const auto part = [&](RectSize one) {
        return levels == 1 ? leaf(one) : withLevels(one, levels - 1);
    };
    const auto consider = [&](RectSize one, RectSize two) {
        ceiling = std::max(ceiling, sumRoundedUp(part(one), part(two)));
    };
    // The positions ascend, so none after the first beyond the side fits.
    for (std::int32_t j = 0; allowed != CutsAllowed::LengthOnly && j < m_xSet.count; ++j) {
        const std::int32_t x = m_xSet.points[static_cast<std::size_t>(j)];
        if (x > a || ceiling >= bound)
            break;
        if (m_xSet.floors[static_cast<std::size_t>(j)] <= b)
            consider({x, b}, {a - x, b});
    }
    for (std::int32_t k = 0; allowed != CutsAllowed::HeightOnly && k < m_ySet.count; ++k) {
        const std::int32_t y = m_ySet.points[static_cast<std::size_t>(k)];
        if (y > b || ceiling >= bound)
            break;
        if (m_ySet.floors[static_cast<std::size_t>(k)] <= a)
            consider({a, y}, {a, b - y});
    }
    return ceiling;
}

} // namespace andor
