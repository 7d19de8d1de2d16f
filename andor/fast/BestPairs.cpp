#include "andor/fast/BestPairs.h"

#include <algorithm>

namespace andor {

BestPairs::BestPairs(const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
                     const PartSides& sides)
    : m_xSet(xSet), m_ySet(ySet), m_starts(sides, std::size_t{1} << 24)
{
    // Room for all at once: growing would copy them, and only what is filled is touched.
    const auto perRectangle = static_cast<std::size_t>(xSet.count + ySet.count) + 3;
    if (!m_starts.empty())
        m_entries.reserve(std::min(maxEntries, sides.cellCount() * perRectangle));
}

// The positions ascend, so those within a side are the first ones.
std::int32_t BestPairs::positionsWithin(const TDiscretizationSet& set, std::int32_t side)
{
    const auto* first = set.points.data();
    return static_cast<std::int32_t>(std::upper_bound(first, first + set.count, side) - first);
}

BestPairs::Suffixes BestPairs::suffixesAt(std::size_t at) const
{
    Suffixes suffixes;
    suffixes.heightPositions = m_entries[at].index;
    suffixes.lengthPositions = m_entries[at].usable;
    suffixes.alongHeight = &m_entries[at + 1];
    suffixes.alongLength = &m_entries[at + static_cast<std::size_t>(suffixes.heightPositions) + 2];
    return suffixes;
}

} // namespace andor
