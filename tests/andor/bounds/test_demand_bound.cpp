#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "andor/bounds/DemandBound.h"
#include "andor/bounds/FitTable.h"
#include "support/TypeMixes.h"

namespace {

using namespace typemixes;

// The value of whole pieces chosen at random that fit part one by one, within the demand and
// the area left, each within the copies that fit; takes them from the demand.
std::int64_t randomPieces(const problem::TInstance& instance, const andor::FitTable& fits,
                          andor::RectSize part, std::vector<std::int32_t>& demand,
                          std::mt19937& random)
{
    std::int64_t room = std::int64_t{part.height} * part.length, value = 0;
    for (int i = 0; i < instance.pieceCount; ++i) {
        const auto type = static_cast<std::size_t>(i);
        const problem::TPieceType& piece = instance.pieces[type];
        const std::int64_t area = std::int64_t{piece.height} * piece.length;
        const std::int32_t fit = fits.copiesThatFit(part.height, part.length, type);
        for (int copy = 0; copy < fit && demand[type] > 0; ++copy)
            if (area <= room && piece.value > 0 &&
                std::uniform_int_distribution<int>(0, 1)(random) == 1) {
                room -= area;
                value += piece.value;
                --demand[type];
            }
    }
    return value;
}

// No pattern of whole pieces within a demand is worth more than its bound: a single type's
// filling, and combinations of types that fit the area, in one part or split over two.
TEST(DemandBound, HoldsForFillingsAndCombinationsWithinTheDemand)
{
    for (const TypeMix& mix : typeMixes) {
        SCOPED_TRACE(mix.name);
        std::mt19937 random(static_cast<std::uint32_t>(mix.types) * 7u);
        const problem::TInstance instance = randomInstance(random, mix, 30);
        const andor::FitTable fits(instance);
        const andor::DemandBound bound(instance, fits);
        auto side = [&](int most) { return std::uniform_int_distribution<int>(0, most)(random); };
        std::vector<std::int32_t> demand(static_cast<std::size_t>(instance.pieceCount));
        for (int ask = 0; ask < 2000; ++ask) {
            const andor::RectSize one{side(30), side(27)};
            const andor::RectSize two{side(30 - one.height), one.length};
            for (std::int32_t& count : demand)
                count = std::uniform_int_distribution<int>(0, 6)(random);
            const float most = bound.within(one, demand);
            const andor::HomogeneousFill filling =
                andor::bestHomogeneousWithin(one.height, one.length, demand, instance);
            ASSERT_GE(most, static_cast<float>(filling.value));
            const float mostOfBoth = bound.withinBoth(one, two, demand);
            std::vector<std::int32_t> left = demand;
            const std::int64_t inOne = randomPieces(instance, fits, one, left, random);
            ASSERT_GE(most, static_cast<float>(inOne));
            const std::int64_t inTwo = randomPieces(instance, fits, two, left, random);
            ASSERT_GE(mostOfBoth, static_cast<float>(inOne + inTwo));
        }
    }
}

// The value of a guillotine pattern chosen at random with at most levels levels of cuts, each
// block one type in as many copies as fit and the demand allows; takes them from the demand.
std::int64_t randomBlocks(const problem::TInstance& instance, const andor::FitTable& fits,
                          andor::RectSize part, std::int32_t levels,
                          std::vector<std::int32_t>& demand, std::mt19937& random)
{
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    if (levels > 0 && part.height > 1 && pick(0, 3) > 0) {
        const int x = pick(1, part.height - 1);
        const std::int64_t one =
            randomBlocks(instance, fits, {x, part.length}, levels - 1, demand, random);
        return one + randomBlocks(instance, fits, {part.height - x, part.length}, levels - 1,
                                  demand, random);
    }
    if (levels > 0 && part.length > 1 && pick(0, 2) > 0) {
        const int y = pick(1, part.length - 1);
        const std::int64_t one =
            randomBlocks(instance, fits, {part.height, y}, levels - 1, demand, random);
        return one + randomBlocks(instance, fits, {part.height, part.length - y}, levels - 1,
                                  demand, random);
    }
    const auto type = static_cast<std::size_t>(pick(0, instance.pieceCount - 1));
    const std::int32_t most =
        std::min(fits.copiesThatFit(part.height, part.length, type), demand[type]);
    const std::int32_t copies = pick(std::max(0, most - 1), std::max(0, most));
    demand[type] -= copies;
    return std::int64_t{copies} * instance.pieces[type].value;
}

// No pattern of at most 2^levels blocks is worth more than its blocks bound, in one part or in
// two drawing on one demand no larger than the instance's.
TEST(DemandBound, BlocksBoundHoldsForPatternsOfThatManyBlocks)
{
    for (const TypeMix& mix : typeMixes) {
        SCOPED_TRACE(mix.name);
        std::mt19937 random(static_cast<std::uint32_t>(mix.types) * 11u);
        const problem::TInstance instance = randomInstance(random, mix, 30);
        const andor::FitTable fits(instance);
        const andor::DemandBound bound(instance, fits);
        auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        std::vector<std::int32_t> demand(static_cast<std::size_t>(instance.pieceCount));
        for (int ask = 0; ask < 4000; ++ask) {
            const std::int32_t levels = pick(0, 4);
            const andor::RectSize one{pick(1, 30), pick(1, 27)};
            const andor::RectSize two{pick(1, 31 - one.height), one.length};
            for (std::size_t i = 0; i < demand.size(); ++i)
                demand[i] = pick(0, instance.pieces[i].demand);
            const float most = bound.blocksWithin(one, demand, levels);
            const float mostOfBoth = bound.blocksWithinBoth(one, two, demand, levels);
            std::vector<std::int32_t> left = demand;
            const std::int64_t inOne = randomBlocks(instance, fits, one, levels, left, random);
            ASSERT_GE(most, static_cast<float>(inOne)) << "levels " << levels;
            const std::int64_t inTwo = randomBlocks(instance, fits, two, levels, left, random);
            ASSERT_GE(mostOfBoth, static_cast<float>(inOne + inTwo)) << "levels " << levels;
        }
    }
}

// The largest fillings of one type each: 40 (type C), 30 (B) and 15 (A, up to its demand).
TEST(DemandBound, BlocksBoundAddsTheLargestFillingsOfOneTypeEach)
{
    problem::TInstance instance;
    instance.plateHeight = 10;
    instance.plateLength = 10;
    instance.pieceCount = 3;
    instance.pieces[0] = {1, 2, 2, 3, 5};
    instance.pieces[1] = {2, 5, 5, 1, 30};
    instance.pieces[2] = {3, 1, 10, 10, 4};
    const andor::FitTable fits(instance);
    const andor::DemandBound bound(instance, fits);
    const std::vector<std::int32_t> full{3, 1, 10};
    const std::vector<std::int32_t> withoutC{3, 1, 0};
    const float none = std::numeric_limits<float>::infinity();
    struct Case {
        andor::RectSize part;
        const std::vector<std::int32_t>& demand;
        std::int32_t levels;
        float expected;
    };
    const Case cases[] = {
        {{10, 10}, full, 0, 40.0f},     {{10, 10}, full, 1, 70.0f},
        {{10, 10}, full, 2, none}, // a block for every type
        {{10, 10}, withoutC, 0, 30.0f}, {{10, 10}, withoutC, 1, 45.0f},
        {{4, 10}, full, 1, 31.0f}, // B does not fit, C in 4 rows, A up to its demand
        {{10, 9}, full, 1, 45.0f}, // C does not fit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.part.height) + " x " + std::to_string(c.part.length) +
                     ", levels " + std::to_string(c.levels));
        EXPECT_EQ(bound.blocksWithin(c.part, c.demand, c.levels), c.expected);
    }
}

// Five levels of cuts may make 32 blocks; from there on no blocks bound is given, however many
// types could fill them (the area bound is the tighter one in practice).
TEST(DemandBound, NoBlocksBoundFromFiveLevelsOn)
{
    problem::TInstance instance;
    instance.plateHeight = 10;
    instance.plateLength = 10;
    instance.pieceCount = 40;
    for (int i = 0; i < instance.pieceCount; ++i)
        instance.pieces[static_cast<std::size_t>(i)] = {i + 1, 1, 1, 1, i + 1};
    const andor::FitTable fits(instance);
    const andor::DemandBound bound(instance, fits);
    const std::vector<std::int32_t> demand(40, 1);
    const float none = std::numeric_limits<float>::infinity();
    // The 16 largest fillings: one copy each of the types worth 25 to 40.
    EXPECT_EQ(bound.blocksWithin({10, 10}, demand, 4), 520.0f);
    EXPECT_EQ(bound.blocksWithin({10, 10}, demand, 5), none);
    EXPECT_EQ(bound.blocksWithinBoth({5, 10}, {5, 10}, demand, 3), 520.0f);
    EXPECT_EQ(bound.blocksWithinBoth({5, 10}, {5, 10}, demand, 4), none);
}

} // namespace
