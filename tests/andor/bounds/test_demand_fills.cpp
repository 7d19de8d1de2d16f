#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "andor/bounds/DemandFills.h"
#include "support/AndOrTestSupport.h"

namespace {

struct FillCase {
    const char* name;
    std::int32_t plateHeight;
    std::int32_t plateLength;
    int lowestValue;
    int highestDemand;
};

problem::TInstance randomInstance(std::mt19937& random, const FillCase& c)
{
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    problem::TInstance instance;
    instance.plateHeight = c.plateHeight;
    instance.plateLength = c.plateLength;
    instance.pieceCount = pick(1, 8);
    for (int i = 0; i < instance.pieceCount; ++i) {
        // Few distinct values and small demands, so that fillings often tie.
        const int values[] = {c.lowestValue, 0, 2, 3, 6, 6};
        instance.pieces[static_cast<std::size_t>(i)] = {
            i + 1, pick(1, std::min(c.plateHeight, 12)), pick(1, std::min(c.plateLength, 12)),
            pick(0, c.highestDemand), values[pick(0, 5)]};
    }
    return instance;
}

// Whatever the remaining demand, from the full one down to none, the answers are those of the
// homogeneous filling itself, ties and the type chosen included: from the table, from the
// staircases of fillings, and from neither.
TEST(DemandFills, AgreeWithTheFillingWithinAnyLowerDemand)
{
    const FillCase cases[] = {
        {"positive values", 30, 25, 1, 6},
        {"zero values", 30, 25, 0, 6},
        {"negative value", 30, 25, -4, 6},
        {"demands beyond the staircases", 30, 25, 1, 400},
        {"plate without a table", 1000, 1000, 1, 6},
        {"plate beyond the table and the staircases", 5000, 4000, 1, 6},
    };
    for (const FillCase& c : cases) {
        std::mt19937 random(static_cast<std::uint32_t>(c.plateHeight + c.lowestValue * 31));
        for (int trial = 0; trial < 40; ++trial) {
            const problem::TInstance instance = randomInstance(random, c);
            const andor::FitTable fits(instance);
            const andor::PartSides sides(instance.plateHeight, instance.plateLength);
            andor::DemandFills fills(instance, fits, sides);
            std::vector<std::int32_t> demands;
            for (int i = 0; i < instance.pieceCount; ++i)
                demands.push_back(instance.pieces[static_cast<std::size_t>(i)].demand);
            for (int ask = 0; ask < 300; ++ask) {
                const std::int32_t a = std::uniform_int_distribution<int>(0, 30)(random);
                const std::int32_t b = std::uniform_int_distribution<int>(0, 25)(random);
                std::vector<std::int32_t> remaining = demands;
                for (std::int32_t& count : remaining)
                    if (count > 0)
                        count -= std::uniform_int_distribution<int>(0, count)(random);
                const andor::HomogeneousFill expected =
                    andor::bestHomogeneousWithin(a, b, remaining, instance);
                const andor::HomogeneousFill got = fills.within(a, b, remaining);
                ASSERT_EQ(got.value, expected.value) << c.name << ", " << a << " x " << b;
                ASSERT_EQ(got.type, expected.type) << c.name << ", " << a << " x " << b;
                ASSERT_EQ(got.count, expected.count) << c.name << ", " << a << " x " << b;
                ASSERT_EQ(fills.full(a, b).value, andor::homogeneousDemandValue(a, b, instance));
            }
        }
    }
}

} // namespace

// Within a lower demand two types can reach the same filling although their full ones differ;
// the earlier type keeps the tie, whichever of them the list of the rectangle holds first.
TEST(DemandFills, EarlierTypeKeepsATieWithinALowerDemand)
{
    const struct {
        const char* name;
        problem::TInstance instance;
        std::vector<std::int32_t> remaining;
        std::int32_t type;
    } cases[] = {
        // Listed first, worth 54 in full, one copy left: 6. The second: three copies, 6.
        {"earlier type listed first", makeInstance(3, 3, {{1, 1, 6, 9}, {1, 1, 2, 9}}), {1, 3}, 0},
        // Listed first now is the later type; the earlier one reaches its 6 only second.
        {"earlier type listed second", makeInstance(3, 3, {{1, 1, 2, 9}, {1, 1, 6, 9}}), {3, 1}, 0},
        {"three types, the middle one listed last",
         makeInstance(3, 3, {{1, 1, 6, 9}, {1, 1, 2, 9}, {1, 1, 3, 9}}),
         {1, 3, 2},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const andor::FitTable fits(c.instance);
        const andor::PartSides sides(c.instance.plateHeight, c.instance.plateLength);
        andor::DemandFills fills(c.instance, fits, sides);
        const andor::HomogeneousFill expected =
            andor::bestHomogeneousWithin(3, 3, c.remaining, c.instance);
        ASSERT_EQ(expected.type, c.type);
        const andor::HomogeneousFill got = fills.within(3, 3, c.remaining);
        EXPECT_EQ(got.type, expected.type);
        EXPECT_EQ(got.value, expected.value);
        EXPECT_EQ(got.count, expected.count);
    }
}

// Above 2^24 copies a float no longer holds every count: two demands that differ by one can
// give the same filling, and then the earlier type keeps the tie. That holds too where parts
// can have few sizes and a table of them would be small, and on the plate of exactly 2^24
// cells, the smallest where a 1 x 1 type has more copies than a table entry holds.
TEST(DemandFills, CountCopiesAsFloatsOnLargePlates)
{
    for (const auto& [height, length] : {std::pair{5000, 4000}, std::pair{4096, 4096}}) {
        SCOPED_TRACE(std::to_string(height) + " x " + std::to_string(length));
        const problem::TInstance instance =
            makeInstance(height, length, {{1, 1, 1, 16777216}, {1, 1, 1, 16777217}});
        const andor::FitTable fits(instance);
        const andor::TDiscretizationSet noPosition;
        const andor::PartSides sides(noPosition, height, noPosition, length);
        andor::DemandFills fills(instance, fits, sides);
        const struct {
            std::vector<std::int32_t> remaining;
            std::int32_t type;
        } asks[] = {{{16777216, 16777217}, 0}, {{16777215, 16777217}, 1}, {{0, 16777217}, 1}};
        for (const auto& ask : asks) {
            const andor::HomogeneousFill expected =
                andor::bestHomogeneousWithin(height, length, ask.remaining, instance);
            ASSERT_EQ(expected.type, ask.type);
            const andor::HomogeneousFill got = fills.within(height, length, ask.remaining);
            EXPECT_EQ(got.type, expected.type);
            EXPECT_EQ(got.value, expected.value);
            EXPECT_EQ(got.count, expected.count);
        }
    }
}
