#include "andor/fast/PairBounds.h"

#include <algorithm>

namespace andor {

namespace {

// Roughly what a part must be worth for a pair with another worth other to lift the node;
// only how far a bound reads depends on it.
float lacking(float nodeValue, float other)
{
    return static_cast<float>(static_cast<double>(nodeValue) - static_cast<double>(other));
}

} // namespace

PairBounds::PairBounds(CutCeilings& ceilings, const DemandBound& bound, OneCutBound& oneCut,
                       DemandFills& fills)
    : m_ceilings(ceilings), m_bound(bound), m_oneCut(oneCut), m_fills(fills)
{
}

bool PairBounds::partsMayLift(float nodeValue, const PartsAhead::Pair& pair, std::int32_t levels,
                              std::span<const std::int32_t> own)
{
    const RectSize first = pair.first, second = pair.second;
    const float firstCeiling = m_ceilings.withLevels(first, levels, pair.firstCuts);
    const float secondCeiling = m_ceilings.withLevels(second, levels);
    if (!sumMayLift(nodeValue, firstCeiling, secondCeiling) ||
        !sumMayLift(nodeValue, m_bound.withinBoth(first, second, own), 0.0f))
        return false;
    const float one = std::min(firstCeiling, m_bound.within(first, own));
    const float two = std::min(secondCeiling, m_bound.within(second, own));
    if (!sumMayLift(nodeValue, one, two) ||
        !sumMayLift(nodeValue, m_bound.blocksWithinBoth(first, second, own, levels), 0.0f))
        return false;
    if (levels > 1 || !cutsWorthAsking())
        return true;
    const float firstMost = std::min(
        one, m_oneCut.within(first, pair.xStart, pair.yStart, own, lacking(nodeValue, two)));
    return cutsAnswer(
        sumMayLift(nodeValue, firstMost,
                   std::min(two, m_oneCut.within(second, pair.xStart, pair.yStart, own,
                                                 lacking(nodeValue, firstMost)))));
}

bool PairBounds::secondMayLift(float nodeValue, float firstValue, float ceiling, RectSize second,
                               std::int32_t xStart, std::int32_t yStart, std::int32_t levels,
                               std::span<const std::int32_t> working)
{
    return sumMayLift(nodeValue, firstValue, std::min(ceiling, m_bound.within(second, working))) &&
           sumMayLift(nodeValue, firstValue, m_bound.blocksWithin(second, working, levels)) &&
           (levels > 1 || !cutsWorthAsking() ||
            cutsAnswer(sumMayLift(
                nodeValue, firstValue,
                m_oneCut.within(second, xStart, yStart, working, lacking(nodeValue, firstValue)))));
}

bool PairBounds::blockMayLift(float nodeValue, RectSize largestFirst, RectSize largestSecond,
                              std::span<const std::int32_t> own)
{
    const auto filling = [&](RectSize part) {
        return static_cast<float>(m_fills.within(part.height, part.length, own).value);
    };
    return sumMayLift(nodeValue, m_ceilings.leaf(largestFirst), m_ceilings.leaf(largestSecond)) &&
           sumMayLift(nodeValue, filling(largestFirst), filling(largestSecond));
}

// The cuts bound costs a lookup or two a pair, more than it saves where it seldom skips one:
// there it is asked for one pair in 16, which keeps its rate of skips up to date. Whether it is
// asked changes no result.
bool PairBounds::cutsWorthAsking()
{
    ++m_cuts.pairs;
    return m_cuts.skipped * 8 >= m_cuts.asked || m_cuts.pairs % 16 == 0;
}

bool PairBounds::cutsAnswer(bool mayLift)
{
    ++m_cuts.asked;
    if (!mayLift)
        ++m_cuts.skipped;
    return mayLift;
}

} // namespace andor
