#pragma once

#include <vector>

#include "andor/DiscretizationSet.h"
#include "andor/bounds/DemandBound.h"
#include "andor/bounds/FitTable.h"
#include "andor/fast/RectValueCache.h"
#include "andor/rules/CutHeuristics.h"

namespace andor {

// The cuts a part may take: the first part of a cut along the height is a strip whose start
// leaves it no height position below its own height, and likewise along the length.
enum class CutsAllowed { Both, LengthOnly, HeightOnly };

// The most a part can be worth in the constrained search, whatever its remaining demand, as
// none exceeds the full demand: as a leaf, or with some levels of cuts left. Each is computed
// once per rectangle and level. Searches on two threads may share them: a value depends only
// on its rectangle and level, so either thread may be the one that computes it.
class CutCeilings {
public:
    // For parts with up to deepest levels of cuts left.
    CutCeilings(const problem::TInstance& instance, const FitTable& fits, const DemandBound& bound,
                const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
                const PartSides& sides, std::int32_t deepest);

    // A leaf: its filling within the full demand. Always inline, as the search asks for two
    // per cut from a loop too large for the compiler to inline it on its own.
    [[gnu::always_inline]] float leaf(RectSize part)
    {
        return m_leaves.get(part.height, part.length,
                            [this](std::int32_t a, std::int32_t b) { return leafOf(a, b); });
    }

    // A part with levels >= 1 levels of cuts left: its filling, or a pair of parts with one
    // level fewer at any position of the sets, and never more than its bound within the full
    // demand. A pair's sum is rounded up, as the search compares such sums unrounded. Inline,
    // as the search asks for two per cut.
    float withLevels(RectSize part, std::int32_t levels, CutsAllowed allowed = CutsAllowed::Both)
    {
        // A plate too large for the tables would work out a deeper ceiling's cuts of cuts on
        // every call, so there it is only the bound.
        if (levels > m_levelsKept || (levels > 1 && m_withLevels.front().uncached()))
            return m_bound.within(part, m_demands);
        const auto table =
            static_cast<std::size_t>(allowed) * static_cast<std::size_t>(m_levelsKept) +
            static_cast<std::size_t>(levels) - 1;
        return m_withLevels[table].get(part.height, part.length,
                                       [this, levels, allowed](std::int32_t a, std::int32_t b) {
                                           return ceilingOf(a, b, levels, allowed);
                                       });
    }

private:
    // Ceilings are kept for every level of cuts a part can have, up to this many: a ceiling
    // with fewer levels than its part has is only its bound, which skips far fewer pairs of
    // a deep search. Deeper parts, in searches deeper than anyone waits for, have only their
    // bound, which keeps the tables few.
    static constexpr std::int32_t mostLevelsKept = 16;

    float leafOf(std::int32_t a, std::int32_t b) const
    {
        return static_cast<float>(m_fits.bestWithin(a, b, m_demands).value);
    }

    float ceilingOf(std::int32_t a, std::int32_t b, std::int32_t levels, CutsAllowed allowed);
    float cutsOf(std::int32_t a, std::int32_t b, std::int32_t levels, CutsAllowed allowed,
                 float bound, float start);

    const FitTable& m_fits;
    const DemandBound& m_bound;
    const TDiscretizationSet& m_xSet;
    const TDiscretizationSet& m_ySet;
    std::vector<std::int32_t> m_demands;
    RectValueCache m_leaves;
    std::int32_t m_levelsKept;
    // For each way of CutsAllowed, for 1, 2, ... m_levelsKept levels.
    std::vector<RectValueCache> m_withLevels;
};

} // namespace andor
