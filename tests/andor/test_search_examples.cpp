#include <gtest/gtest.h>

#include <vector>

#include "andor/AndOrRun.h"
#include "andor/rules/HomogeneousFilling.h"
#include "andor/rules/ValueBounds.h"
#include "support/AndOrTestSupport.h"

namespace {

struct SearchCase {
    const char* name;
    problem::TInstance instance;
    andor::ProblemKind kind;
    std::int32_t depth;
    bool heuristics;
    float value;
    std::vector<std::int32_t> counts;
};

std::vector<std::int32_t> countsOf(const andor::AndOrRun& run, int n)
{
    return {run.counts.begin(), run.counts.begin() + n};
}

TEST(AndOrSearch, GivesTheWorkedExamplesWithBothEngines)
{
    const problem::TInstance single = makeInstance(6, 4, {{3, 2, 6, 9}});
    const problem::TInstance tie = makeInstance(6, 4, {{3, 4, 12, 9}, {6, 2, 12, 9}, {3, 2, 5, 9}});
    const problem::TInstance nothingFits = makeInstance(2, 2, {{3, 2, 6, 9}});
    const andor::ProblemKind u = andor::ProblemKind::Unconstrained,
                             c = andor::ProblemKind::Constrained;
    const SearchCase cases[] = {
        {"unconstrained, depth 0", workedExample(), u, 0, false, 72, {12, 0}},
        {"unconstrained, depth 1", workedExample(), u, 1, false, 72, {12, 0}},
        {"unconstrained, depth 2", workedExample(), u, 2, false, 74, {9, 1}},
        {"unconstrained, depth 3", workedExample(), u, 3, false, 74, {9, 1}},
        {"heuristics, depth 2", workedExample(), u, 2, true, 74, {9, 1}},
        {"heuristics, depth 3", workedExample(), u, 3, true, 74, {9, 1}},
        {"solved by its bound, depth 0", single, u, 0, false, 24, {4}},
        {"solved by its bound, depth 3", single, u, 3, false, 24, {4}},
        {"earliest of two equal fillings", tie, u, 0, false, 24, {2, 0, 0}},
        {"nothing fits", nothingFits, u, 3, false, 0, {0}},
        {"constrained, depth 0", workedExample(), c, 0, false, 20, {0, 1}},
        {"constrained, depth 1", workedExample(), c, 1, false, 32, {2, 1}},
        {"constrained, depth 2", workedExample(), c, 2, false, 32, {2, 1}},
        {"constrained, depth 3", workedExample(), c, 3, false, 32, {2, 1}},
        {"constrained, earliest of two equal", tie, c, 0, false, 24, {2, 0, 0}},
    };
    for (const SearchCase& sc : cases) {
        SCOPED_TRACE(sc.name);
        andor::SolverSettings settings;
        settings.depthLimit = sc.depth;
        settings.heuristicsOn = sc.heuristics;
        const int n = sc.instance.pieceCount;
        const auto fast = andor::runAndOr(sc.instance, sc.kind, settings);
        const auto counting =
            andor::runAndOr(sc.instance, sc.kind, settings, andor::NodeCounting::Count);
        const auto direct = andor::runAndOrReference(sc.instance, sc.kind, settings);
        ASSERT_TRUE(fast && counting && direct);
        for (const auto* run : {&*fast, &*counting, &*direct}) {
            EXPECT_EQ(run->value, sc.value);
            EXPECT_EQ(countsOf(*run, n), sc.counts);
        }
        EXPECT_EQ(counting->nodesExamined, direct->nodesExamined);
    }
}

TEST(AndOrSearch, HeuristicsExamineFewerRectangles)
{
    andor::SolverSettings settings;
    settings.depthLimit = 3;
    const auto plain =
        andor::runAndOrReference(workedExample(), andor::ProblemKind::Unconstrained, settings);
    settings.heuristicsOn = true;
    const auto pruned =
        andor::runAndOrReference(workedExample(), andor::ProblemKind::Unconstrained, settings);
    ASSERT_TRUE(plain && pruned);
    EXPECT_LT(pruned->nodesExamined, plain->nodesExamined);
}

TEST(AndOrSearch, RootSolvedByItsBoundIsTheOnlyNode)
{
    andor::SolverSettings settings;
    settings.depthLimit = 5;
    const auto run =
        andor::runAndOr(makeInstance(6, 4, {{3, 2, 6, 9}}), andor::ProblemKind::Unconstrained,
                        settings, andor::NodeCounting::Count);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->nodesExamined, 1);
}

TEST(NodeValues, FollowTheirDefinitions)
{
    const problem::TInstance instance = workedExample();
    const andor::HomogeneousFill fill = andor::bestHomogeneous(10, 8, instance);
    EXPECT_EQ(fill.value, 72);
    EXPECT_EQ(fill.type, 0);
    EXPECT_EQ(fill.count, 12);
    EXPECT_EQ(andor::areaBound(10, 8, instance), 80.0);
    // Truncating divisions: 10 / 2 = 5, 5 / 3 = 1 gives density 1, not 1.67.
    EXPECT_EQ(andor::areaBound(4, 6, makeInstance(4, 6, {{2, 3, 10, 1}})), 24.0);
    const std::int32_t demands[] = {2, 1};
    EXPECT_EQ(andor::greedyDemandBound(10, 8, demands, instance), 32.0f);
    EXPECT_EQ(andor::bestHomogeneousWithin(10, 8, demands, instance).value, 20);
    EXPECT_EQ(andor::homogeneousDemandValue(10, 8, instance), 20);
    // A type with no remaining demand adds nothing to either.
    const std::int32_t none[] = {0, 1};
    EXPECT_EQ(andor::greedyDemandBound(10, 8, none, instance), 20.0f);
    EXPECT_EQ(andor::bestHomogeneousWithin(10, 8, none, instance).type, 1);
}

} // namespace
