#include <gtest/gtest.h>

#include <random>
#include <string>

#include "DemandBound.h"
#include "FitTable.h"
#include "ValueBounds.h"

namespace {

struct TypeMix {
    const char* name;
    int types;
    int longestSide; // of a piece
    int values[4];   // drawn at random per type
};

// Few distinct sides and values, so that types tie in rows, columns, values and densities.
TInstance randomInstance(std::mt19937& random, const TypeMix& mix, int plateSide)
{
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    TInstance instance;
    instance.plateHeight = plateSide;
    instance.plateLength = plateSide - 3;
    instance.pieceCount = mix.types;
    for (int i = 0; i < mix.types; ++i)
        instance.pieces[static_cast<std::size_t>(i)] = {
            i + 1, pick(1, mix.longestSide), pick(1, mix.longestSide), pick(0, 5),
            mix.values[pick(0, 3)] * pick(1, 3)};
    return instance;
}

const TypeMix typeMixes[] = {
    {"few types", 3, 9, {1, 4, 6, 9}},
    {"many tied types", 40, 6, {2, 2, 3, 4}},
    {"types worth nothing or less", 12, 8, {0, -5, 3, 3}},
    {"the most types", 100, 20, {1, 7, 30, 90}},
};

// Every rectangle of the plate gets the filling and the area bound of their definitions, the
// type that wins a tie included.
TEST(FitTable, AgreesWithTheDefinitionsOnEveryRectangle)
{
    for (const TypeMix& mix : typeMixes) {
        SCOPED_TRACE(mix.name);
        std::mt19937 random(static_cast<std::uint32_t>(mix.types));
        for (int trial = 0; trial < 6; ++trial) {
            const TInstance instance = randomInstance(random, mix, 24);
            const FitTable fits(instance);
            for (std::int32_t a = 0; a <= instance.plateHeight; ++a)
                for (std::int32_t b = 0; b <= instance.plateLength; ++b) {
                    const HomogeneousFill expected = bestHomogeneous(a, b, instance);
                    const HomogeneousFill got = fits.best(a, b);
                    const std::string where = std::to_string(a) + " x " + std::to_string(b);
                    ASSERT_EQ(got.value, expected.value) << where;
                    ASSERT_EQ(got.type, expected.type) << where;
                    ASSERT_EQ(got.count, expected.count) << where;
                    ASSERT_EQ(fits.bound(a, b), areaBound(a, b, instance)) << where;
                }
        }
    }
}

// No pattern of whole pieces within a demand is worth more than its bound: a single type's
// filling, and any combination of types that fits the rectangle's area, checked at random.
TEST(DemandBound, HoldsForFillingsAndCombinationsWithinTheDemand)
{
    for (const TypeMix& mix : typeMixes) {
        SCOPED_TRACE(mix.name);
        std::mt19937 random(static_cast<std::uint32_t>(mix.types) * 7u);
        const TInstance instance = randomInstance(random, mix, 30);
        const FitTable fits(instance);
        const DemandBound bound(instance, fits);
        std::vector<std::int32_t> demand(static_cast<std::size_t>(instance.pieceCount));
        for (int ask = 0; ask < 2000; ++ask) {
            const std::int32_t a = std::uniform_int_distribution<int>(0, 30)(random);
            const std::int32_t b = std::uniform_int_distribution<int>(0, 27)(random);
            for (std::int32_t& count : demand)
                count = std::uniform_int_distribution<int>(0, 6)(random);
            const float most = bound.within({a, b}, demand);
            ASSERT_GE(most, static_cast<float>(bestHomogeneousWithin(a, b, demand, instance).value));
            // Whole pieces that fit one by one, within the demand and the area left.
            std::int64_t room = std::int64_t{a} * b, value = 0;
            for (int i = 0; i < instance.pieceCount; ++i) {
                const TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
                const std::int64_t area = std::int64_t{piece.height} * piece.length;
                for (int copy = 0; copy < demand[static_cast<std::size_t>(i)]; ++copy)
                    if (piece.height <= a && piece.length <= b && area <= room &&
                        piece.value > 0 && std::uniform_int_distribution<int>(0, 1)(random) == 1 &&
                        copy < fits.copiesThatFit(a, b, static_cast<std::size_t>(i))) {
                        room -= area;
                        value += piece.value;
                    }
            }
            ASSERT_GE(most, static_cast<float>(value)) << a << " x " << b;
        }
    }
}

} // namespace
