#include "andor/fast/BestPairs.h"

#include <algorithm>

namespace andor {

BestPairs::BestPairs(const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
                     const PartSides& sides)
    : m_xSet(xSet), m_ySet(ySet), m_starts(sides, std::size_t{1} << 24)
{
    // Room for all at once: growing would copy them, and only what is filled is touched.
    const auto perRectangle = static_cast<std::size_t>(xSet.count + ySet.count) + 2;
    if (!m_starts.empty())
        m_entries.reserve(std::min(maxEntries, sides.cellCount() * perRectangle));
}

// The positions ascend, so those within a side are the first ones.
BestPairs::PositionsWithin::PositionsWithin(const TDiscretizationSet& set) : m_all(set.count)
{
    if (set.count == 0)
        return;
    const auto* first = set.points.data();
    m_counts.resize(static_cast<std::size_t>(set.points[static_cast<std::size_t>(set.count) - 1]) +
                    1);
    for (std::size_t side = 0; side < m_counts.size(); ++side)
        m_counts[side] = static_cast<std::int16_t>(
            std::upper_bound(first, first + set.count, static_cast<std::int32_t>(side)) - first);
}

// The counts of positions come by the sides, not from the entries, so that the two entries a
// search reads, which miss the processor's cache, are read at once rather than one after the
// other.
BestPairs::Suffixes BestPairs::suffixesAt(std::size_t at, std::int32_t nx, std::int32_t ny) const
{
    Suffixes suffixes;
    suffixes.heightPositions = nx;
    suffixes.lengthPositions = ny;
    suffixes.alongHeight = &m_entries[at];
    suffixes.alongLength = &m_entries[at + static_cast<std::size_t>(nx) + 1];
    return suffixes;
}

} // namespace andor
