#include "andor/fast/PartSides.h"

#include <numeric>

namespace andor {

PartSides::PartSides(const TDiscretizationSet& xSet, std::int32_t plateHeight,
                     const TDiscretizationSet& ySet, std::int32_t plateLength)
    : m_heightRank(rankSides(xSet, plateHeight, m_heightCount)),
      m_lengthRank(rankSides(ySet, plateLength, m_lengthCount))
{
    startLengths();
}

PartSides::PartSides(std::int32_t plateHeight, std::int32_t plateLength)
    : m_heightCount(static_cast<std::size_t>(plateHeight) + 1),
      m_lengthCount(static_cast<std::size_t>(plateLength) + 1), m_heightRank(rankAll(plateHeight)),
      m_lengthRank(rankAll(plateLength))
{
    startLengths();
}

void PartSides::startLengths()
{
    for (const std::uint32_t rank : m_lengthRank)
        m_lengthStart.push_back(rank == notASide ? 0 : rank * m_heightCount);
}

bool PartSides::isHeight(std::int32_t a) const
{
    return a >= 0 && static_cast<std::size_t>(a) < m_heightRank.size() &&
           m_heightRank[static_cast<std::size_t>(a)] != notASide;
}

bool PartSides::isLength(std::int32_t b) const
{
    return b >= 0 && static_cast<std::size_t>(b) < m_lengthRank.size() &&
           m_lengthRank[static_cast<std::size_t>(b)] != notASide;
}

// A cut never gives a part longer than the side it cuts, so the sides can be reached from the
// largest down in one pass. Whether a position's floor fits is left out: a side too many only
// costs a cell.
std::vector<std::uint32_t> PartSides::rankSides(const TDiscretizationSet& set,
                                                std::int32_t plateSide, std::size_t& count)
{
    std::vector<std::uint32_t> rank(static_cast<std::size_t>(plateSide) + 1, notASide);
    std::vector<bool> reached(rank.size(), false);
    reached[static_cast<std::size_t>(plateSide)] = true;
    for (std::int32_t side = plateSide; side > 0; --side) {
        if (!reached[static_cast<std::size_t>(side)])
            continue;
        // Positions ascend, so none after the first beyond the side fits.
        for (std::int32_t j = 0; j < set.count; ++j) {
            const std::int32_t x = set.points[static_cast<std::size_t>(j)];
            if (x > side)
                break;
            reached[static_cast<std::size_t>(x)] = true;
            reached[static_cast<std::size_t>(side - x)] = true;
        }
    }
    count = 0;
    for (std::size_t side = 0; side < rank.size(); ++side)
        if (reached[side])
            rank[side] = static_cast<std::uint32_t>(count++);
    return rank;
}

std::vector<std::uint32_t> PartSides::rankAll(std::int32_t plateSide)
{
    std::vector<std::uint32_t> rank(static_cast<std::size_t>(plateSide) + 1);
    std::iota(rank.begin(), rank.end(), 0u);
    return rank;
}

} // namespace andor
