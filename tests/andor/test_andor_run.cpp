#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <pthread.h>

#include "andor/AndOrRun.h"
#include "problem/BiFile.h"
#include "support/AndOrTestSupport.h"
#include "support/ScopedMemoryLimit.h"

namespace {

struct RefusalCase {
    const char* name;
    problem::TInstance instance;
    andor::SolverSettings settings;
    andor::AndOrFailure failure;
};

andor::SolverSettings withDepth(std::int32_t depth)
{
    andor::SolverSettings settings;
    settings.depthLimit = depth;
    return settings;
}

andor::SolverSettings withSymmetry()
{
    andor::SolverSettings settings;
    settings.symmetryOn = true;
    return settings;
}

problem::TInstance tooManyTypes()
{
    problem::TInstance instance = workedExample();
    instance.pieceCount = problem::maxPieceTypes + 1;
    return instance;
}

TEST(AndOrRun, RefusesInputsOutsideTheModel)
{
    const RefusalCase cases[] = {
        {"no piece types", makeInstance(10, 8, {}), {}, andor::AndOrFailure::NoPieceTypes},
        {"more than 100 types", tooManyTypes(), {}, andor::AndOrFailure::TooManyPieceTypes},
        {"plate height 0",
         makeInstance(0, 8, {{3, 2, 6, 2}}),
         {},
         andor::AndOrFailure::ZeroDimension},
        {"negative plate length",
         makeInstance(10, -8, {{3, 2, 6, 2}}),
         {},
         andor::AndOrFailure::ZeroDimension},
        {"piece length 0",
         makeInstance(10, 8, {{3, 0, 6, 2}}),
         {},
         andor::AndOrFailure::ZeroDimension},
        {"side 5000", makeInstance(5000, 8, {{3, 2, 6, 2}}), {}, andor::AndOrFailure::SideTooLarge},
        {"length 5000",
         makeInstance(10, 5000, {{3, 2, 6, 2}}),
         {},
         andor::AndOrFailure::SideTooLarge},
        {"half side 5000 with symmetry", makeInstance(10000, 8, {{3, 2, 6, 2}}), withSymmetry(),
         andor::AndOrFailure::SideTooLarge},
        {"negative depth", workedExample(), withDepth(-1), andor::AndOrFailure::NegativeDepth},
        {"plate value beyond 32 bits",
         makeInstance(100, 100, {{1, 1, 300000, 1}}),
         {},
         andor::AndOrFailure::ValueTooLarge},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (andor::ProblemKind kind :
             {andor::ProblemKind::Unconstrained, andor::ProblemKind::Constrained}) {
            const auto run = andor::runAndOr(c.instance, kind, c.settings);
            ASSERT_FALSE(run.has_value());
            EXPECT_EQ(run.error(), c.failure);
        }
    }
}

// A demand below zero is refused where demands count, and ignored where they do not.
TEST(AndOrRun, RefusesANegativeDemandOnlyWhenConstrained)
{
    const problem::TInstance instance = makeInstance(10, 8, {{3, 2, 6, 2}, {2, 2, 5, -1}});
    const auto constrained = andor::runAndOr(instance, andor::ProblemKind::Constrained, {});
    ASSERT_FALSE(constrained.has_value());
    EXPECT_EQ(constrained.error(), andor::AndOrFailure::NegativeDemand);
    EXPECT_EQ(andor::findInputFault(instance, andor::ProblemKind::Constrained, {}),
              andor::AndOrFailure::NegativeDemand);
    EXPECT_TRUE(andor::runAndOr(instance, andor::ProblemKind::Unconstrained, {}).has_value());
}

TEST(AndOrRun, AcceptsTheLargestSides)
{
    // 9999 halves to 4999 with symmetry, the last position the tables hold.
    const auto run = andor::runAndOr(makeInstance(9999, 4999, {{5000, 2500, 7, 1}}),
                                     andor::ProblemKind::Unconstrained, withSymmetry());
    ASSERT_TRUE(run);
    EXPECT_EQ(run->xSet.count, 0);
    EXPECT_EQ(run->value, 7.0f);
}

TEST(AndOrRun, ReportsASetThatCannotBeBuilt)
{
    andor::SolverSettings settings;
    settings.setCapacity = 1;
    testing::internal::CaptureStdout();
    const auto run = andor::runAndOr(workedExample(), andor::ProblemKind::Unconstrained, settings);
    testing::internal::GetCapturedStdout();
    ASSERT_FALSE(run);
    EXPECT_EQ(run.error(), andor::AndOrFailure::SetBuildFailed);
}

// A 2 x 2 type and a 1 x 2 one in 3 x 3: every rectangle stays short of its bounds, and a
// cut at a side's full length gives the rectangle again, so the search descends to the full
// depth, with or without node counts, and the direct search as well.
const problem::TInstance deepCuts = makeInstance(3, 3, {{2, 2, 5, 9}, {1, 2, 1, 9}});

// An engine on deepCuts at a depth, and a depth it completes quickly (the direct search
// doubles its nodes with every level).
struct DeepEngine {
    const char* name;
    std::function<std::expected<andor::AndOrRun, andor::AndOrFailure>(std::int32_t depth)> run;
    std::int32_t quickDepth;
};

std::vector<DeepEngine> deepEngines()
{
    auto fast = [](andor::NodeCounting counting) {
        return [counting](std::int32_t depth) {
            return andor::runAndOr(deepCuts, andor::ProblemKind::Constrained, withDepth(depth),
                                   counting);
        };
    };
    auto direct = [](std::int32_t depth) {
        return andor::runAndOrReference(deepCuts, andor::ProblemKind::Constrained,
                                        withDepth(depth));
    };
    return {{"fast", fast(andor::NodeCounting::Skip), 200},
            {"fast counting nodes", fast(andor::NodeCounting::Count), 200},
            {"direct", direct, 4}};
}

// Runs work on a thread whose stack is stackBytes long, as a worker thread may have.
template <typename Work> void onThreadWithStack(std::size_t stackBytes, Work work)
{
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, stackBytes), 0);
    pthread_t thread;
    auto call = [](void* argument) -> void* {
        (*static_cast<Work*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, call, &work), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

TEST(AndOrRun, AVeryDeepLimitEndsAsAFailedRunInsteadOfACrash)
{
    for (const DeepEngine& engine : deepEngines()) {
        SCOPED_TRACE(engine.name);
        for (const std::int32_t depth : {100000, 1000000}) {
            const auto run = engine.run(depth);
            ASSERT_FALSE(run);
            EXPECT_EQ(run.error(), andor::AndOrFailure::RecursionTooDeep);
        }
        const auto shallower = engine.run(engine.quickDepth);
        ASSERT_TRUE(shallower);
        EXPECT_EQ(shallower->value, 6.0f);
    }
    EXPECT_EQ(andor::failureMessage(andor::AndOrFailure::RecursionTooDeep),
              "Solução não pôde ser calculada!");
    EXPECT_FALSE(andor::failureReason(andor::AndOrFailure::RecursionTooDeep).empty());
}

// The limit comes from the stack of the thread that runs the search, not from the main one's.
TEST(AndOrRun, ADeepLimitOnASmallThreadStackEndsAsAFailedRun)
{
    for (const std::size_t stackBytes : {std::size_t{512} << 10, std::size_t{2} << 20}) {
        SCOPED_TRACE(stackBytes);
        onThreadWithStack(stackBytes, [] {
            for (const DeepEngine& engine : deepEngines()) {
                SCOPED_TRACE(engine.name);
                const auto deep = engine.run(100000);
                ASSERT_FALSE(deep);
                EXPECT_EQ(deep.error(), andor::AndOrFailure::RecursionTooDeep);
                const auto quick = engine.run(std::min(engine.quickDepth, 10));
                ASSERT_TRUE(quick);
                EXPECT_EQ(quick->value, 6.0f);
            }
        });
    }
}

TEST(AndOrRun, FailureMessagesAreDistinctForRefusals)
{
    const andor::AndOrFailure refusals[] = {
        andor::AndOrFailure::NoPieceTypes,      andor::AndOrFailure::ZeroDimension,
        andor::AndOrFailure::SideTooLarge,      andor::AndOrFailure::NegativeDepth,
        andor::AndOrFailure::TooManyPieceTypes, andor::AndOrFailure::ValueTooLarge,
        andor::AndOrFailure::NegativeDemand};
    std::set<std::string> texts;
    for (andor::AndOrFailure failure : refusals)
        texts.insert(andor::failureMessage(failure));
    texts.insert(andor::failureMessage(andor::AndOrFailure::SetBuildFailed));
    EXPECT_EQ(texts.size(), std::size(refusals) + 1);
    EXPECT_EQ(andor::failureMessage(andor::AndOrFailure::SetBuildFailed),
              "Solução não pôde ser calculada!");
    EXPECT_EQ(andor::failureMessage(andor::AndOrFailure::OutOfMemory),
              "Solução não pôde ser calculada!");
}

TEST(AndOrRun, ATinyMemoryLimitEndsTheRunWithItsMessage)
{
    const problem::TInstance instance = workedExample();
    for (const andor::ProblemKind kind :
         {andor::ProblemKind::Unconstrained, andor::ProblemKind::Constrained}) {
        const auto whole = andor::runAndOr(instance, kind, withDepth(3));
        ASSERT_TRUE(whole);
        {
            const ScopedMemoryLimit limit(1 << 20);
            const auto stopped = andor::runAndOr(instance, kind, withDepth(3));
            ASSERT_FALSE(stopped);
            EXPECT_EQ(stopped.error(), andor::AndOrFailure::MemoryLimit);
            EXPECT_EQ(andor::failureMessage(stopped.error()),
                      "A busca passaria do limite de memória de 1 MiB; use uma Profundidade "
                      "menor.");
        }
        // The stopped run leaves nothing that changes a later one.
        const auto again = andor::runAndOr(instance, kind, withDepth(3));
        ASSERT_TRUE(again);
        EXPECT_EQ(again->value, whole->value);
        EXPECT_EQ(again->counts, whole->counts);
    }
}

TEST(AndOrRun, AGrowingSearchStopsAtItsMemoryLimit)
{
    // This search takes gigabytes; its tables fit the limit but its states soon do not.
    const auto instance = problem::readBiFile(QUADRIX_INSTANCES_DIR "/CHL1.BI");
    ASSERT_TRUE(instance);
    andor::SolverSettings settings = withDepth(6);
    settings.setCapacity = 300;
    const ScopedMemoryLimit limit(problem::residentBytes() + (std::uint64_t{160} << 20));
    const auto run = andor::runAndOr(*instance, andor::ProblemKind::Constrained, settings);
    ASSERT_FALSE(run);
    EXPECT_EQ(run.error(), andor::AndOrFailure::MemoryLimit);
}

} // namespace
