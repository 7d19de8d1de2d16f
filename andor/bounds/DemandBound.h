#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "andor/bounds/FitTable.h"
#include "andor/rules/CutHeuristics.h"

namespace andor {

// The most any cutting pattern of a rectangle can be worth within a demand no larger than the
// instance's, two ways:
// - the area bound: the pieces of positive value, densest first, each type up to its demand
//   and to the copies that fit, until their area fills the rectangle, the last one in part
//   (the fractional knapsack bound);
// - the blocks bound, for a pattern with some levels of cuts, which is at most 2^levels
//   homogeneous blocks: the blocks of one type hold together no more than its demand and the
//   copies that fit the rectangle, so the pattern is worth at most the 2^levels largest such
//   fillings of one type each.
// A pattern's value is a sum of whole pieces, so it is at most a bound rounded down; while that
// stays below 2^24 every partial sum of such a pattern is exact as a float, so the bound holds
// for the search's float values too. Each reads of a type's demand no more than the copies that
// fit.
class DemandBound {
public:
    DemandBound(const problem::TInstance& instance, const FitTable& fits);

    // The area bound of part within demand, or infinity where it is 2^24 or more.
    float within(RectSize part, std::span<const std::int32_t> demand) const;

    // The area bound of two parts' patterns together, drawing on one demand: their pieces fit
    // the two areas summed, each type up to its demand and the copies that fit either part.
    float withinBoth(RectSize one, RectSize two, std::span<const std::int32_t> demand) const;

    // The blocks bound of part with levels levels of cuts left, or infinity where it is 2^24 or
    // more or where each type can have a block of its own.
    float blocksWithin(RectSize part, std::span<const std::int32_t> demand,
                       std::int32_t levels) const;

    // The blocks bound of two parts together, each with levels levels of cuts left.
    float blocksWithinBoth(RectSize one, RectSize two, std::span<const std::int32_t> demand,
                           std::int32_t levels) const;

private:
    auto copiesWithin(RectSize part, std::span<const std::int32_t> demand) const;
    auto copiesWithinBoth(RectSize one, RectSize two, std::span<const std::int32_t> demand) const;

    using TypeMask = std::array<std::uint64_t, 2>;

    // The area bound of pieces in room, each type up to copiesOf(type), of the types in
    // fits (bits in the order of m_densestFirst); the others would add no copies.
    template <typename Copies>
    std::int64_t fill(std::int64_t room, const TypeMask& fits, Copies&& copiesOf) const;

    // The sum of the 2^levels largest fillings of one type each, up to copiesOf(type); no bound
    // when every type can have a block of its own, or past maxBlockLevels, where the area bound
    // is the tighter one in practice.
    static constexpr std::int32_t maxBlockLevels = 5;
    template <typename Copies>
    std::int64_t largestFillings(std::int32_t levels, const TypeMask& fits,
                                 Copies&& copiesOf) const;

    // The types that fit a rectangle, one bit each in the order of a list of types.
    class FitMasks {
    public:
        FitMasks() = default;
        FitMasks(const problem::TInstance& instance, const std::vector<std::size_t>& order);

        TypeMask of(RectSize part) const
        {
            const TypeMask& tall = m_shortEnough[static_cast<std::size_t>(part.height)];
            const TypeMask& wide = m_narrowEnough[static_cast<std::size_t>(part.length)];
            return {tall[0] & wide[0], tall[1] & wide[1]};
        }

        TypeMask of(RectSize one, RectSize two) const
        {
            const TypeMask inOne = of(one), inTwo = of(two);
            return {inOne[0] | inTwo[0], inOne[1] | inTwo[1]};
        }

    private:
        std::vector<TypeMask> m_shortEnough;  // per height a: the types of height <= a
        std::vector<TypeMask> m_narrowEnough; // per length b: the types of length <= b
    };

    struct Piece {
        std::size_t type;
        std::int64_t area;
        std::int64_t value;
    };

    // A type of positive value and demand, and its value times that demand.
    struct Filling {
        std::size_t type;
        std::int64_t value;
        std::int64_t most;
    };

    const FitTable& m_fits;
    std::vector<Piece> m_densestFirst;
    std::vector<Filling> m_largestFirst;
    FitMasks m_densestFits;
    FitMasks m_largestFits;
};

} // namespace andor
