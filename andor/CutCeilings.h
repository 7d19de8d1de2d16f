#pragma once

#include "CutHeuristics.h"
#include "DemandFills.h"
#include "DiscretizationSet.h"
#include "RectValueCache.h"

// The most a part can be worth in the constrained search, whatever its remaining demand, as
// none exceeds the full demand: as a leaf, or with one level of cuts left. Each is computed
// once per rectangle.
class CutCeilings {
public:
    CutCeilings(const TInstance& instance, DemandFills& fills, const TDiscretizationSet& xSet,
                const TDiscretizationSet& ySet);

    // A leaf: its filling within the full demand. Inline, as the search asks for two per cut.
    float leaf(RectSize part)
    {
        return m_leaves.get(part.height, part.length,
                            [this](std::int32_t a, std::int32_t b) { return leafOf(a, b); });
    }

    // A part with one level of cuts left: its filling or a pair of leaves at any position of
    // the sets. A pair's sum is rounded up, as the search compares such sums unrounded.
    float pair(RectSize part);

private:
    float leafOf(std::int32_t a, std::int32_t b);
    float pairOf(std::int32_t a, std::int32_t b);

    DemandFills& m_fills;
    const TDiscretizationSet& m_xSet;
    const TDiscretizationSet& m_ySet;
    RectValueCache m_leaves;
    RectValueCache m_pairs;
};
