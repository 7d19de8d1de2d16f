#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "andor/AndOrRun.h"
#include "andor/rules/CutHeuristics.h"
#include "andor/rules/HomogeneousFilling.h"
#include "andor/rules/ValueBounds.h"
#include "support/AndOrTestSupport.h"

namespace {

TEST(PrecisionTraps, AreaBoundIsEvaluatedInDouble)
{
    // 4097 x 4097 = 16785409 is not a float; a float product would give 16785408.
    const problem::TInstance instance = makeInstance(4097, 4097, {{1, 1, 1, 9}});
    EXPECT_EQ(andor::areaBound(4097, 4097, instance), 16785409.0);
    // The homogeneous value rounds to 16785408 as a float, so the root is not solved by its
    // bound and gets cut: a float bound would have stopped at the root.
    andor::SolverSettings settings;
    settings.depthLimit = 1;
    settings.setCapacity = 5000;
    const auto run = andor::runAndOr(instance, andor::ProblemKind::Unconstrained, settings,
                                     andor::NodeCounting::Count);
    ASSERT_TRUE(run);
    EXPECT_GT(run->nodesExamined, 1);
    ASSERT_FALSE(run->layout.nodes.empty());
    EXPECT_NE(run->layout.nodes[0].kind, andor::LayoutKind::Block);
}

TEST(PrecisionTraps, CopiesTimesValueIsADoubleProduct)
{
    // 16777215 x 3 = 50331645 is not a float: a float product ties with the earlier type's
    // 50331644 and would keep it.
    const problem::TInstance instance = makeInstance(4096, 4096, {{1, 1, 4, 1}, {1, 1, 3, 1}});
    const std::int32_t remaining[] = {12582911, 16777215};
    const andor::HomogeneousFill fill =
        andor::bestHomogeneousWithin(4096, 4096, remaining, instance);
    EXPECT_EQ(fill.type, 1);
    EXPECT_EQ(fill.value, 50331645);
    EXPECT_EQ(fill.count, 16777215);
}

TEST(PrecisionTraps, CopiesAreTheMinimumOfFloats)
{
    // 16777217 pieces fit, but as floats both operands are 16777216.
    const problem::TInstance instance = makeInstance(1, 1, {{1, 1, 1, 9}});
    const std::int32_t remaining[] = {20000000};
    const andor::HomogeneousFill fill =
        andor::bestHomogeneousWithin(16777217, 1, remaining, instance);
    EXPECT_EQ(fill.count, 16777216);
    EXPECT_EQ(fill.value, 16777216);
}

TEST(PrecisionTraps, GreedyBoundIsAFloatComputation)
{
    // In floats the greedy bound of the plate is exactly 110, its homogeneous value, so the
    // root is solved at once; in double it is 109.99999999999999 and the root would be cut.
    const problem::TInstance instance =
        makeInstance(22, 22, {{11, 18, 45, 15}, {13, 4, 22, 8}, {2, 3, 16, 3}});
    const std::int32_t demands[] = {15, 8, 3};
    EXPECT_EQ(andor::greedyDemandBound(22, 22, demands, instance), 110.0f);
    andor::SolverSettings settings;
    settings.depthLimit = 2;
    const auto run = andor::runAndOr(instance, andor::ProblemKind::Constrained, settings,
                                     andor::NodeCounting::Count);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->nodesExamined, 1);
    EXPECT_EQ(run->value, 110.0f);
}

// The saturation of a type whose room is 2^31 or more, in floats, reads every demand: it is the
// largest one, not a conversion out of range.
TEST(PrecisionTraps, GreedyBoundSaturationStopsAtTheLargestDemand)
{
    constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
    struct Case {
        const char* name;
        problem::TInstance instance;
        std::vector<std::int32_t> saturation;
    };
    const std::vector<Case> cases = {
        {"a piece whose area wraps to 0", makeInstance(9, 7, {{65536, 65536, 50, 2}}), {most}},
        {"a plate area that rounds to 2^31", makeInstance(1023, 2099202, {{1, 1, 1, 5}}), {most}},
        {"a room just below 2^31", makeInstance(46410, 46272, {{1, 1, 1, 5}}), {2147483520}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::int32_t> demands, saturation(c.saturation.size(), -1);
        for (int i = 0; i < c.instance.pieceCount; ++i)
            demands.push_back(c.instance.pieces[static_cast<std::size_t>(i)].demand);
        andor::greedyDemandBound(c.instance.plateHeight, c.instance.plateLength, demands,
                                 c.instance, saturation);
        EXPECT_EQ(saturation, c.saturation);
    }
}

struct DiscardCase {
    const char* name;
    double lambda1;
    double lambda2;
    float parentValue;
    bool discarded;
};

TEST(PrecisionTraps, HeuristicTestsCompareInDouble)
{
    // One 1 x 1 type of value 1: the bounds of 1 x 6 and 1 x 7 add up to 13 and their
    // homogeneous values to 13.
    const problem::TInstance instance = makeInstance(1, 13, {{1, 1, 1, 20}});
    const DiscardCase cases[] = {
        // 1.3 x 10 is 13 in double; 1.3f x 10 is 12.9999995 and would keep the cut.
        {"test 1 at equality", 0.3, 0.0, 10.0f, true},
        {"test 1 below", 0.29, 0.0, 10.0f, false},
        // Test 2: 1.0 x 13 reaches 6 + 7.
        {"test 2 at equality", 0.0, 1.0, 0.0f, true},
        // With both lambdas 0, test 2 needs both homogeneous values to be 0.
        {"lambdas 0", 0.0, 0.0, 12.0f, false},
    };
    for (const DiscardCase& c : cases) {
        SCOPED_TRACE(c.name);
        andor::SolverSettings settings;
        settings.heuristicsOn = true;
        settings.lambda1 = c.lambda1;
        settings.lambda2 = c.lambda2;
        const andor::CutCandidate cut{{1, 13}, c.parentValue, {1, 6}, {1, 7}, 7.0f};
        EXPECT_EQ(andor::discardsUnconstrainedCut(cut, instance, settings), c.discarded);
        const std::int32_t remaining[] = {20};
        EXPECT_EQ(andor::discardsConstrainedCut(cut, remaining, instance, settings), c.discarded);
    }
}

struct OrderCase {
    const char* name;
    problem::TInstance instance;
    andor::SolverSettings settings;
    float value;
    std::vector<std::int32_t> counts;
};

andor::SolverSettings settingsOf(std::int32_t depth, std::int32_t capacity, bool symmetry,
                                 bool heuristics, double lambda1, double lambda2)
{
    return {depth, capacity, symmetry, heuristics, lambda1, lambda2};
}

// Each case was found by a variant that breaks one rule of the constrained working copy, and
// gives a different value or different counts under that variant.
TEST(ConstrainedWorkingCopy, FollowsEveryRule)
{
    const OrderCase cases[] = {
        {"end of position also where nothing fits",
         makeInstance(12, 17,
                      {{4, 5, 29, 3},
                       {2, 3, 22, 3},
                       {5, 2, 21, 3},
                       {6, 3, 21, 1},
                       {4, 3, 27, 3},
                       {3, 8, 21, 4}}),
         settingsOf(2, 100, false, true, 0.0, 0.0),
         297,
         {3, 3, 3, 0, 3, 0}},
        {"kept reduced after an improving pair",
         makeInstance(12, 10, {{5, 4, 22, 3}, {4, 2, 23, 3}, {1, 3, 20, 3}, {6, 2, 12, 4}}),
         settingsOf(4, 5, false, false, 0.1, 0.95),
         197,
         {2, 3, 3, 2}},
        {"kept reduced after a heuristic discard",
         makeInstance(22, 23,
                      {{5, 4, 24, 4}, {8, 5, 3, 3}, {6, 1, 9, 3}, {5, 8, 35, 3}, {12, 7, 11, 0}}),
         settingsOf(2, 100, false, true, 1.0, 0.0),
         201,
         {4, 0, 0, 3, 0}},
        // A length position that does not fit ahead of the first one that does compares the
        // pair kept from the height cuts again; the fast engine must tell such nodes apart.
        {"a miss before the first length position",
         makeInstance(11, 15,
                      {{12, 3, 19, 1}, {1, 1, 37, 0}, {9, 4, 9, 3}, {1, 3, 16, 2}, {3, 15, 1, 3}}),
         settingsOf(3, 3, true, true, 0.0, 0.5),
         50,
         {0, 0, 2, 2, 0}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int n = c.instance.pieceCount;
        const auto fast = andor::runAndOr(c.instance, andor::ProblemKind::Constrained, c.settings);
        const auto counting = andor::runAndOr(c.instance, andor::ProblemKind::Constrained,
                                              c.settings, andor::NodeCounting::Count);
        const auto direct =
            andor::runAndOrReference(c.instance, andor::ProblemKind::Constrained, c.settings);
        ASSERT_TRUE(fast && counting && direct);
        for (const auto* run : {&*fast, &*counting, &*direct}) {
            EXPECT_EQ(run->value, c.value);
            EXPECT_EQ(std::vector<std::int32_t>(run->counts.begin(), run->counts.begin() + n),
                      c.counts);
        }
        EXPECT_EQ(counting->nodesExamined, direct->nodesExamined);
    }
}

} // namespace
