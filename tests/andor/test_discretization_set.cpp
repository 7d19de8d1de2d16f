#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "andor/DiscretizationSet.h"
#include "support/AndOrTestSupport.h"

namespace {

using Builder = std::function<bool(const problem::TInstance&, const andor::SolverSettings&,
                                   andor::TDiscretizationSet&)>;

struct SetCase {
    const char* name;
    problem::TInstance instance;
    Builder build;
    std::int32_t capacity;
    bool symmetry;
    std::vector<std::int32_t> points;
    std::vector<std::int32_t> floors;
};

std::vector<std::int32_t> pointsOf(const andor::TDiscretizationSet& set)
{
    return {set.points.begin(), set.points.begin() + set.count};
}

std::vector<std::int32_t> floorsOf(const andor::TDiscretizationSet& set)
{
    return {set.floors.begin(), set.floors.begin() + set.count};
}

TEST(DiscretizationSet, BuildsTheWorkedExamples)
{
    const SetCase cases[] = {
        {"x unconstrained",
         workedExample(),
         andor::buildXSetUnconstrained,
         100,
         false,
         {3, 4, 6, 7, 8, 9, 10},
         {2, 5, 2, 5, 5, 2, 5}},
        {"x constrained",
         workedExample(),
         andor::buildXSetConstrained,
         100,
         false,
         {3, 4, 6, 7, 10},
         {2, 5, 2, 5, 5}},
        {"x unconstrained, rebuilt from the larger type",
         workedExample(),
         andor::buildXSetUnconstrained,
         3,
         false,
         {4, 8},
         {5, 5}},
        {"x constrained, capacity 1",
         workedExample(),
         andor::buildXSetConstrained,
         1,
         false,
         {4},
         {5}},
        {"x unconstrained with symmetry",
         workedExample(),
         andor::buildXSetUnconstrained,
         100,
         true,
         {3, 4},
         {2, 5}},
        {"y unconstrained",
         workedExample(),
         andor::buildYSetUnconstrained,
         100,
         false,
         {2, 4, 5, 6, 7, 8},
         {3, 3, 4, 3, 4, 3}},
        {"y constrained",
         workedExample(),
         andor::buildYSetConstrained,
         100,
         false,
         {2, 4, 5, 7},
         {3, 3, 4, 4}},
        {"smallest floor wins, H = 12",
         workedExample(12),
         andor::buildXSetUnconstrained,
         100,
         false,
         {3, 4, 6, 7, 8, 9, 10, 11, 12},
         {2, 5, 2, 5, 5, 2, 5, 5, 2}},
        {"no type within half the side",
         makeInstance(10, 8, {{6, 2, 1, 1}, {7, 3, 1, 1}}),
         andor::buildXSetUnconstrained,
         0,
         true,
         {},
         {}},
        // The exchange sort leaves the demand-1 copy of two equal types last, so it is added
        // first and survives the rebuild; a stable sort would add the demand-5 one first and
        // fail outright.
        {"exchange sort order decides the rebuild",
         makeInstance(10, 8, {{3, 2, 1, 1}, {3, 2, 1, 5}, {2, 1, 1, 1}}),
         andor::buildXSetConstrained,
         1,
         false,
         {3},
         {2}},
        // Of two types with one height, the longer is added first and the shorter, whose
        // demand gives two more positions, overflows: the set is the longer one's alone.
        {"equal heights, the shorter type added last",
         makeInstance(12, 8, {{4, 2, 1, 3}, {4, 5, 1, 1}}),
         andor::buildXSetConstrained,
         1,
         false,
         {4},
         {5}},
        // Two types equal in both sides stay in table order, so the later one is added first.
        {"equal types, the later one added first",
         makeInstance(12, 8, {{4, 5, 1, 3}, {4, 5, 1, 1}}),
         andor::buildXSetConstrained,
         1,
         false,
         {4},
         {5}},
    };
    for (const SetCase& c : cases) {
        SCOPED_TRACE(c.name);
        andor::SolverSettings settings;
        settings.setCapacity = c.capacity;
        settings.symmetryOn = c.symmetry;
        andor::TDiscretizationSet set;
        set.count = -7;
        ASSERT_TRUE(c.build(c.instance, settings, set));
        EXPECT_EQ(pointsOf(set), c.points);
        EXPECT_EQ(floorsOf(set), c.floors);
    }
}

TEST(DiscretizationSet, FailureKeepsOldPositionsAndPrintsTheLine)
{
    const problem::TInstance instance = workedExample();
    andor::SolverSettings settings;
    andor::TDiscretizationSet set;
    ASSERT_TRUE(andor::buildXSetConstrained(instance, settings, set));
    settings.setCapacity = 1;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(andor::buildXSetUnconstrained(instance, settings, set));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\nNao e possivel gerar o conjunto de discretizacao!");
    EXPECT_EQ(set.count, 2);
    EXPECT_EQ((std::vector<std::int32_t>(set.points.begin(), set.points.begin() + 5)),
              (std::vector<std::int32_t>{3, 4, 6, 7, 10}));
}

TEST(DiscretizationSet, FloorsBeyondThePlateStillCount)
{
    // A type longer than the plate keeps its positions with a floor no rectangle meets.
    const problem::TInstance instance = makeInstance(10, 8, {{5, 9, 1, 1}});
    andor::TDiscretizationSet set;
    ASSERT_TRUE(andor::buildXSetUnconstrained(instance, andor::SolverSettings{}, set));
    EXPECT_EQ(pointsOf(set), (std::vector<std::int32_t>{5, 10}));
    EXPECT_EQ(floorsOf(set), (std::vector<std::int32_t>{9, 9}));
}

} // namespace
