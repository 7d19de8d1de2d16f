#include <gtest/gtest.h>

#include <random>

#include "andor/fast/BestPairs.h"

namespace {

// The scan a node with one level of cuts left makes: usable positions in order, a strictly
// greater sum replacing the best so far.
andor::BestPairs::Best scanByHand(const andor::TDiscretizationSet& set, std::int32_t start,
                                  std::int32_t side, std::int32_t across, const auto& pairSum)
{
    andor::BestPairs::Best best;
    for (std::int32_t i = start; i < set.count; ++i) {
        const std::int32_t position = set.points[static_cast<std::size_t>(i)];
        if (position > side)
            break;
        if (set.floors[static_cast<std::size_t>(i)] > across)
            continue;
        ++best.usable;
        if (pairSum(position) > best.sum) {
            best.sum = pairSum(position);
            best.index = static_cast<std::int16_t>(i);
        }
    }
    return best;
}

andor::TDiscretizationSet randomSet(std::mt19937& random, std::int32_t side)
{
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    andor::TDiscretizationSet set;
    for (std::int32_t point = pick(1, 3); point <= side; point += pick(1, 3)) {
        set.points[static_cast<std::size_t>(set.count)] = point;
        set.floors[static_cast<std::size_t>(set.count)] = pick(1, side);
        ++set.count;
    }
    return set;
}

// Leaf values from a handful of levels, so that many pairs tie and the earliest must win.
TEST(BestPairs, GiveTheEarliestLargestPairOfTheScanFromEveryStart)
{
    for (const std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        const std::int32_t plateHeight = 30, plateLength = 24;
        const andor::TDiscretizationSet xSet = randomSet(random, plateHeight);
        const andor::TDiscretizationSet ySet = randomSet(random, plateLength);
        const andor::PartSides sides(plateHeight, plateLength);
        andor::BestPairs pairs(xSet, ySet, sides);
        const auto leafValue = [seed](std::int32_t a, std::int32_t b) {
            return static_cast<float>((a / 4 + b / 5 + static_cast<std::int32_t>(seed)) % 4);
        };
        for (std::int32_t a = 0; a <= plateHeight; a += 3)
            for (std::int32_t b = 0; b <= plateLength; b += 2) {
                const auto alongHeight = [&](std::int32_t x) {
                    return leafValue(x, b) + leafValue(a - x, b);
                };
                const auto alongLength = [&](std::int32_t y) {
                    return leafValue(a, y) + leafValue(a, b - y);
                };
                andor::BestPairs::Suffixes suffixes;
                ASSERT_TRUE(pairs.find(
                    a, b,
                    [&](bool byHeight, std::int32_t, std::int32_t position) {
                        return byHeight ? alongHeight(position) : alongLength(position);
                    },
                    suffixes));
                const auto expectScan = [&](const andor::TDiscretizationSet& set, std::int32_t side,
                                            std::int32_t across, const auto& pairSum,
                                            const auto& fromStart) {
                    for (std::int32_t start = 0; start <= set.count; ++start) {
                        const auto expected = scanByHand(set, start, side, across, pairSum);
                        const auto found = fromStart(start);
                        EXPECT_EQ(found.sum, expected.sum) << a << " x " << b << " from " << start;
                        EXPECT_EQ(found.index, expected.index) << a << " x " << b;
                        EXPECT_EQ(found.usable, expected.usable) << a << " x " << b;
                    }
                };
                expectScan(xSet, a, b, alongHeight,
                           [&](std::int32_t s) { return suffixes.fromX(s); });
                expectScan(ySet, b, a, alongLength,
                           [&](std::int32_t s) { return suffixes.fromY(s); });
            }
    }
}

} // namespace
