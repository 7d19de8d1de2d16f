#pragma once

#include <cstdint>
#include <vector>

#include "andor/DiscretizationSet.h"

namespace andor {

// How many indexes of a set, from a start on, have a position that fits along a side and a
// floor that fits across it. Counts by index and floor make it a constant-time lookup where
// the set and the plate are small enough; elsewhere the positions are scanned.
class UsableCounts {
public:
    // For sides up to maxAlong along the set and maxAcross across it.
    UsableCounts(const TDiscretizationSet& set, std::int32_t maxAlong, std::int32_t maxAcross);

    std::int32_t count(std::int32_t start, std::int32_t along, std::int32_t across) const;

private:
    std::int32_t scan(std::int32_t start, std::int32_t along, std::int32_t across) const;

    const TDiscretizationSet& m_set;
    std::vector<std::int32_t> m_endOf; // per side along: the indexes whose position fits it
    std::size_t m_stride = 0;
    // Per index j and side across: how many of the first j indexes have a floor within it.
    std::vector<std::int32_t> m_fitting;
};

} // namespace andor
