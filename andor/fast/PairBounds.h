#pragma once

#include <cstdint>
#include <span>

#include "andor/CutLayout.h"
#include "andor/bounds/CutCeilings.h"
#include "andor/bounds/DemandBound.h"
#include "andor/bounds/DemandFills.h"
#include "andor/bounds/OneCutBound.h"
#include "andor/fast/PartsAhead.h"

namespace andor {

// Whether two parts worth one and two may lift a node worth nodeValue: only a strictly greater
// sum does.
inline bool sumMayLift(float nodeValue, float one, float two)
{
    return static_cast<double>(one) + static_cast<double>(two) > static_cast<double>(nodeValue);
}

// The bounds by which the constrained search, without the heuristic tests, skips a pair of
// parts that cannot lift its node, before it solves them. Each reads the demand no further
// than the node reads it through the copies that fit, so skipping changes no result.
class PairBounds {
public:
    PairBounds(CutCeilings& ceilings, const DemandBound& bound, OneCutBound& oneCut,
               DemandFills& fills);

    // Before the first part, within the node's own demand: by the parts' ceilings, then by
    // their area bounds, together and each on its own, then by their blocks bound together,
    // then, with one level of cuts left, by each one's cuts.
    bool partsMayLift(float nodeValue, const PartsAhead::Pair& pair, std::int32_t levels,
                      std::span<const std::int32_t> own);

    // The second part, below its ceiling, with the first one's value: by its bounds within
    // the working copy.
    bool secondMayLift(float nodeValue, float firstValue, float ceiling, RectSize second,
                       std::int32_t xStart, std::int32_t yStart, std::int32_t levels,
                       std::span<const std::int32_t> working);

    // A block of pairs of leaves within the node's own demand. Along the block the first part
    // grows and the second shrinks, and a filling only grows with its rectangle and its
    // demand, so no pair is worth more than the fillings of the largest first part and the
    // largest second part: by their ceilings, then by those fillings.
    bool blockMayLift(float nodeValue, RectSize largestFirst, RectSize largestSecond,
                      std::span<const std::int32_t> own);

private:
    bool cutsWorthAsking();
    bool cutsAnswer(bool mayLift);

    CutCeilings& m_ceilings;
    const DemandBound& m_bound;
    OneCutBound& m_oneCut;
    DemandFills& m_fills;
    struct {
        std::int64_t pairs = 0;
        std::int64_t asked = 0;
        std::int64_t skipped = 0;
    } m_cuts; // how the cuts bound has done so far
};

} // namespace andor
