#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "andor/fast/PartSides.h"

namespace {

andor::TDiscretizationSet setOf(const std::vector<std::int32_t>& points)
{
    andor::TDiscretizationSet set;
    for (const std::int32_t point : points)
        set.points[static_cast<std::size_t>(set.count++)] = point;
    return set;
}

std::vector<std::int32_t> heightsOf(const andor::PartSides& sides, std::int32_t plateHeight)
{
    std::vector<std::int32_t> heights;
    for (std::int32_t a = 0; a <= plateHeight; ++a)
        if (sides.isHeight(a))
            heights.push_back(a);
    return heights;
}

TEST(PartSides, HoldThePlateSidePositionsAndWhatIsLeftBeyondThem)
{
    const struct {
        const char* name;
        std::vector<std::int32_t> points;
        std::int32_t plateSide;
        std::vector<std::int32_t> sides;
    } cases[] = {
        {"no position", {}, 7, {7}},
        {"a position in the middle", {4}, 8, {0, 4, 8}},
        {"cuts of cuts", {3, 5}, 10, {0, 1, 2, 3, 4, 5, 7, 10}},
        {"a position beyond the plate", {6, 12}, 10, {0, 4, 6, 10}},
    };
    for (const auto& c : cases) {
        const andor::PartSides sides(setOf(c.points), c.plateSide, setOf({}), 1);
        EXPECT_EQ(heightsOf(sides, c.plateSide), c.sides) << c.name;
        EXPECT_EQ(sides.cellCount(), c.sides.size()) << c.name;
    }
}

// Every part that cuts at the sets' positions can make has its own cell of the table.
TEST(PartSides, GiveEachPartThatCutsCanMakeItsOwnCell)
{
    std::mt19937 random(17);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int trial = 0; trial < 50; ++trial) {
        std::vector<std::int32_t> xPoints, yPoints;
        for (std::int32_t x = pick(1, 9); x < 60; x += pick(1, 15))
            xPoints.push_back(x);
        for (std::int32_t y = pick(1, 9); y < 60; y += pick(1, 15))
            yPoints.push_back(y);
        const std::int32_t plateHeight = pick(1, 60), plateLength = pick(1, 60);
        const andor::TDiscretizationSet xSet = setOf(xPoints), ySet = setOf(yPoints);
        const andor::PartSides sides(xSet, plateHeight, ySet, plateLength);

        std::set<std::pair<std::int32_t, std::int32_t>> parts;
        std::vector<std::pair<std::int32_t, std::int32_t>> pending{{plateHeight, plateLength}};
        while (!pending.empty()) {
            const auto [a, b] = pending.back();
            pending.pop_back();
            if (!parts.insert({a, b}).second)
                continue;
            for (const std::int32_t x : xPoints)
                if (x <= a)
                    pending.insert(pending.end(), {{x, b}, {a - x, b}});
            for (const std::int32_t y : yPoints)
                if (y <= b)
                    pending.insert(pending.end(), {{a, y}, {a, b - y}});
        }
        std::set<std::size_t> cells;
        for (const auto& [a, b] : parts) {
            ASSERT_TRUE(sides.isHeight(a) && sides.isLength(b)) << a << " x " << b;
            const std::size_t cell = sides.lengthStarts()[b] + sides.heightRanks()[a];
            ASSERT_LT(cell, sides.cellCount());
            cells.insert(cell);
        }
        EXPECT_EQ(cells.size(), parts.size());
    }
}

} // namespace
