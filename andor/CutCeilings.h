#pragma once

#include <vector>

#include "CutHeuristics.h"
#include "DemandBound.h"
#include "DemandFills.h"
#include "DiscretizationSet.h"
#include "RectValueCache.h"

// The most a part can be worth in the constrained search, whatever its remaining demand, as
// none exceeds the full demand: as a leaf, or with some levels of cuts left. Each is computed
// once per rectangle and level.
class CutCeilings {
public:
    CutCeilings(const TInstance& instance, DemandFills& fills, const DemandBound& bound,
                const TDiscretizationSet& xSet, const TDiscretizationSet& ySet);

    // A leaf: its filling within the full demand. Inline, as the search asks for two per cut.
    float leaf(RectSize part)
    {
        return m_leaves.get(part.height, part.length,
                            [this](std::int32_t a, std::int32_t b) { return leafOf(a, b); });
    }

    // A part with levels >= 1 levels of cuts left: its filling, or a pair of parts with one
    // level fewer at any position of the sets, and never more than its bound within the full
    // demand. A pair's sum is rounded up, as the search compares such sums unrounded.
    float withLevels(RectSize part, std::int32_t levels);

private:
    float leafOf(std::int32_t a, std::int32_t b);
    float cutsOf(std::int32_t a, std::int32_t b, std::int32_t levels);
    RectValueCache& cacheOf(std::int32_t levels);

    DemandFills& m_fills;
    const DemandBound& m_bound;
    const TDiscretizationSet& m_xSet;
    const TDiscretizationSet& m_ySet;
    std::vector<std::int32_t> m_demands;
    std::int32_t m_plateHeight;
    std::int32_t m_plateLength;
    RectValueCache m_leaves;
    std::vector<RectValueCache> m_withLevels; // for 1, 2, ... levels, made when first asked for
};
