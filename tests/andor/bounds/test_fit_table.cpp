#include <gtest/gtest.h>

#include <string>

#include "andor/bounds/FitTable.h"
#include "andor/rules/ValueBounds.h"
#include "support/TypeMixes.h"

namespace {

using namespace typemixes;

// Every rectangle of the plate gets the filling and the area bound of their definitions, the
// type that wins a tie included.
TEST(FitTable, AgreesWithTheDefinitionsOnEveryRectangle)
{
    for (const TypeMix& mix : typeMixes) {
        SCOPED_TRACE(mix.name);
        std::mt19937 random(static_cast<std::uint32_t>(mix.types));
        for (int trial = 0; trial < 6; ++trial) {
            const problem::TInstance instance = randomInstance(random, mix, 24);
            const andor::FitTable fits(instance);
            for (std::int32_t a = 0; a <= instance.plateHeight; ++a)
                for (std::int32_t b = 0; b <= instance.plateLength; ++b) {
                    const andor::HomogeneousFill expected = andor::bestHomogeneous(a, b, instance);
                    const andor::HomogeneousFill got = fits.best(a, b);
                    const std::string where = std::to_string(a) + " x " + std::to_string(b);
                    ASSERT_EQ(got.value, expected.value) << where;
                    ASSERT_EQ(got.type, expected.type) << where;
                    ASSERT_EQ(got.count, expected.count) << where;
                    ASSERT_EQ(fits.bound(a, b), andor::areaBound(a, b, instance)) << where;
                    ASSERT_GE(fits.densestFilling(a, b), got.value) << where;
                }
        }
    }
}

// The densest filling is the area at the best value per unit area, rounded down once; the area
// bound truncates each density and can fall below a filling.
TEST(FitTable, DensestFillingRoundsOnlyOnce)
{
    problem::TInstance instance;
    instance.plateHeight = 12;
    instance.plateLength = 12;
    instance.pieceCount = 2;
    instance.pieces[0] = {1, 3, 3, 1, 10}; // 10 / 9 per unit area, truncated to 1
    instance.pieces[1] = {2, 2, 5, 1, 7};  // 7 / 10, truncated to 0
    const andor::FitTable fits(instance);
    struct Case {
        std::int32_t a, b;
        std::int64_t densest;
        double areaBound;
    };
    const Case cases[] = {
        {3, 3, 10, 9.0},  // one piece of the first type: the area bound falls below it
        {4, 4, 17, 16.0}, // 16 x 10 / 9 rounded down
        {2, 5, 7, 0.0},   // only the second type fits
        {1, 12, 0, 0.0},  // nothing fits
        {12, 12, 160, 144.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " x " + std::to_string(c.b));
        EXPECT_EQ(fits.densestFilling(c.a, c.b), c.densest);
        EXPECT_EQ(fits.bound(c.a, c.b), c.areaBound);
    }
}

} // namespace
