#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "CutHeuristics.h"
#include "FitTable.h"

// The most any cutting pattern of a rectangle can be worth within a demand: the pieces of
// positive value, densest first, each type up to its demand and to the copies that fit, until
// their area fills the rectangle, the last one in part (the fractional knapsack bound). A
// pattern's value is a sum of whole pieces, so it is at most the bound rounded down; while that
// stays below 2^24 every partial sum of such a pattern is exact as a float, so the bound holds
// for the search's float values too.
class DemandBound {
public:
    DemandBound(const TInstance& instance, const FitTable& fits);

    // The bound of part within demand, or infinity where it is 2^24 or more. Reads of each
    // type's demand no more than the copies that fit the part.
    float within(RectSize part, std::span<const std::int32_t> demand) const;

    // The bound of two parts' patterns together, drawing on one demand: their pieces fit the
    // two areas summed, each type up to its demand and the copies that fit either part.
    float withinBoth(RectSize one, RectSize two, std::span<const std::int32_t> demand) const;

private:
    // The bound of pieces in room, each type up to copiesOf(type).
    template <typename Copies> float fill(std::int64_t room, Copies&& copiesOf) const;

    struct Piece {
        std::size_t type;
        std::int64_t area;
        std::int64_t value;
    };

    const FitTable& m_fits;
    std::vector<Piece> m_densestFirst;
};
