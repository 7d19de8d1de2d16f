#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "andor/DiscretizationSet.h"

namespace andor {

// The heights and the lengths that parts of the plate can have: the plate's own sides and,
// from each such side, every position of the set up to it and what is left beyond that
// position. Tables by rectangle keep cells for these alone, so that the cells a search
// touches lie close together: each memory page the system zeroes on first touch costs as much
// as thousands of lookups.
class PartSides {
public:
    PartSides(const TDiscretizationSet& xSet, std::int32_t plateHeight,
              const TDiscretizationSet& ySet, std::int32_t plateLength);

    // Every height and every length from 0 to the plate's.
    PartSides(std::int32_t plateHeight, std::int32_t plateLength);

    // A table by rectangle has this many cells.
    std::size_t cellCount() const { return m_heightCount * m_lengthCount; }

    // A table's cell for a x b is lengthStarts()[b] + heightRanks()[a], where a and b are
    // sides that parts can have.
    const std::uint32_t* heightRanks() const { return m_heightRank.data(); }
    const std::size_t* lengthStarts() const { return m_lengthStart.data(); }

    // Whether a part can have a as its height, and b as its length.
    bool isHeight(std::int32_t a) const;
    bool isLength(std::int32_t b) const;

private:
    void startLengths();

    static constexpr std::uint32_t notASide = 0xFFFFFFFF;

    // Numbers the sides reached from the plate's side, smallest first.
    static std::vector<std::uint32_t> rankSides(const TDiscretizationSet& set,
                                                std::int32_t plateSide, std::size_t& count);
    static std::vector<std::uint32_t> rankAll(std::int32_t plateSide);

    std::size_t m_heightCount = 0;
    std::size_t m_lengthCount = 0;
    std::vector<std::uint32_t> m_heightRank; // per height up to the plate's, or notASide
    std::vector<std::uint32_t> m_lengthRank;
    std::vector<std::size_t> m_lengthStart; // per length: its rank times heightCount
};

} // namespace andor
