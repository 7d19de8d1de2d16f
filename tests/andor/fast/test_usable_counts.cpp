#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "andor/fast/UsableCounts.h"

namespace {

std::int32_t countByHand(const andor::TDiscretizationSet& set, std::int32_t start,
                         std::int32_t along, std::int32_t across)
{
    std::int32_t count = 0;
    for (std::int32_t j = start; j < set.count; ++j)
        if (set.points[static_cast<std::size_t>(j)] <= along &&
            set.floors[static_cast<std::size_t>(j)] <= across)
            ++count;
    return count;
}

// Ascending positions with floors in any order, some beyond every side asked about.
andor::TDiscretizationSet randomSet(std::mt19937& random, std::int32_t side)
{
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    andor::TDiscretizationSet set;
    for (std::int32_t point = pick(1, 3); point <= side && set.count < 60; point += pick(1, 4)) {
        set.points[static_cast<std::size_t>(set.count)] = point;
        set.floors[static_cast<std::size_t>(set.count)] = pick(1, side + 5);
        ++set.count;
    }
    return set;
}

// The lookup table serves small plates and the scan larger ones; both must count alike.
TEST(UsableCounts, AgreeWithACountByHand)
{
    struct Case {
        std::int32_t side;
        std::int32_t across;
    };
    for (const Case c : {Case{40, 30}, Case{90, 1}, Case{60, 200000}}) {
        std::mt19937 random(static_cast<std::uint32_t>(c.side * 7 + c.across));
        for (int trial = 0; trial < 20; ++trial) {
            const andor::TDiscretizationSet set = randomSet(random, c.side);
            const andor::UsableCounts counts(set, c.side, c.across);
            for (std::int32_t start = 0; start <= set.count; ++start)
                for (std::int32_t along = 0; along <= c.side; along += 3)
                    for (std::int32_t across = 0; across <= std::min(c.across, c.side + 6);
                         ++across)
                        ASSERT_EQ(counts.count(start, along, across),
                                  countByHand(set, start, along, across))
                            << "side " << c.side << ", start " << start << ", along " << along
                            << ", across " << across;
        }
    }
}

} // namespace
