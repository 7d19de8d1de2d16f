#include "andor/fast/BestLeafPairs.h"

#include <algorithm>

namespace andor {

BestLeafPairs::BestLeafPairs(const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
                             const PartSides& sides)
    : m_xSet(xSet), m_ySet(ySet), m_starts(sides, std::size_t{1} << 24)
{
}

// The positions ascend, so those within a side are the first ones.
std::int32_t BestLeafPairs::positionsWithin(const TDiscretizationSet& set, std::int32_t side)
{
    const auto* first = set.points.data();
    return static_cast<std::int32_t>(std::upper_bound(first, first + set.count, side) - first);
}

BestLeafPairs::Suffixes BestLeafPairs::suffixesAt(std::size_t at) const
{
    Suffixes suffixes;
    suffixes.heightPositions = m_entries[at].index;
    suffixes.lengthPositions = m_entries[at].usable;
    suffixes.alongHeight = &m_entries[at + 1];
    suffixes.alongLength = &m_entries[at + static_cast<std::size_t>(suffixes.heightPositions) + 2];
    return suffixes;
}

} // namespace andor
