#pragma once

#include <cstdint>
#include <vector>

#include "andor/bounds/FitTable.h"

namespace andor {

// The homogeneous filling within the full demand of a x b, for every length b of a height a
// at once. As b grows, a type's filling rises by steps at the multiples of its length until
// its demand is met, so the best filling is a staircase: one step wherever some type's
// filling rises, holding the best type at that length. A height gets its staircase the first
// time it is asked for; one that would take too many steps, and every height of a plate on
// which copies are no longer exact as floats, is left to the table of fits.
class FillStairs {
public:
    FillStairs(const problem::TInstance& instance, const FitTable& fits);

    // bestWithin(a, b, full demands) of the table of fits.
    HomogeneousFill full(std::int32_t a, std::int32_t b);

private:
    struct Step {
        std::int32_t length;  // where the step starts
        HomogeneousFill fill; // up to the next step
    };

    // Where a height's steps lie in m_steps; count is unbuilt or tooManySteps when none do.
    struct Stair {
        std::uint32_t first = 0;
        std::uint32_t count = unbuilt;
    };

    static constexpr std::uint32_t unbuilt = 0xFFFFFFFF;
    static constexpr std::uint32_t tooManySteps = 0xFFFFFFFE;

    Stair build(std::int32_t a);

    const problem::TInstance& m_instance;
    const FitTable& m_fits;
    std::vector<std::int32_t> m_demands;
    std::vector<Stair> m_stairs; // per height, empty when copies are not exact as floats
    std::vector<Step> m_steps;
};

} // namespace andor
