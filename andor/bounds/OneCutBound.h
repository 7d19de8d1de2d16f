#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "andor/DiscretizationSet.h"
#include "andor/bounds/DemandFills.h"
#include "andor/fast/RectTable.h"
#include "andor/rules/CutHeuristics.h"

namespace andor {

// The most a part with one level of cuts left can be worth within a demand, without the
// heuristic tests: its filling, or the fillings of the two parts of one of its cuts, each
// within the whole demand. The search's second part draws on what the first leaves, and both
// on a working copy no larger than the demand, so neither is worth more here.
//
// A filling within a demand is worth what it is within the full demand while its type keeps
// its copies; otherwise no more than its type's copies within the demand, or the best filling
// of any other type within the full demand. The cuts are kept best ceiling (their worth within
// the full demand) first, so that most answers read one or two of them. Reads of each type's
// demand no more than the copies that fit the part.
class OneCutBound {
public:
    OneCutBound(const problem::TInstance& instance, DemandFills& fills, const FitTable& fits,
                const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
                const PartSides& sides);

    // At least the value of part, cut from the start indexes on, within demand; read no
    // further than it takes to tell whether that is above beyond. Infinity on plates too large
    // for a table of the rectangles.
    float within(RectSize part, std::int32_t xStart, std::int32_t yStart,
                 std::span<const std::int32_t> demand, float beyond);

private:
    // A rectangle's filling within the full demand: its value, type and copies (none for a
    // filling worth nothing, which any demand keeps), and the best filling of any other type.
    struct Leaf {
        std::int32_t value;
        std::uint32_t copies : 24;
        std::uint32_t type : 8;
        std::int32_t otherwise;
    };

    // A cut's two fillings, and what they are worth together within the full demand; the cut
    // is at a position of xSet, or at xSet.count plus one of ySet, or -1 for the part's own
    // filling. A list ends with an entry of no copies and the ceiling of the best cut left
    // out of it, or 0.
    struct Cut {
        float ceiling;
        std::int32_t position;
        Leaf first;
        Leaf second;
    };

    // The cuts of a rectangle with the best ceilings: the others are worth no more than the
    // last entry, and seldom read at all.
    static constexpr std::size_t cutsKept = 12;

    const Cut* cutsOf(RectSize part);
    bool before(const Cut& cut, std::int32_t xStart, std::int32_t yStart) const
    {
        return cut.position < m_xSet.count ? cut.position < xStart
                                           : cut.position - m_xSet.count < yStart;
    }
    std::uint32_t listCuts(RectSize part);
    Leaf leafOf(RectSize part);
    Leaf computeLeaf(RectSize part);
    float worthWithin(const Cut& cut, std::span<const std::int32_t> demand) const;
    std::int64_t leafWithin(const Leaf& leaf, std::span<const std::int32_t> demand) const;

    std::vector<std::int32_t> m_values;
    std::vector<std::int32_t> m_demands;
    DemandFills& m_fills;
    const FitTable& m_fits;
    const TDiscretizationSet& m_xSet;
    const TDiscretizationSet& m_ySet;
    RectTable<std::uint32_t> m_lists; // 1 + where a rectangle's list starts, 0 when not made
    std::vector<Cut> m_cuts;
    struct LeafCell {
        Leaf leaf;
        bool known;
    };
    RectTable<LeafCell> m_leaves;
};

} // namespace andor
