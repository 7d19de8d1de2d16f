#include <gtest/gtest.h>

#include <chrono>

#include "andor/AndOrRun.h"
#include "support/ClassicOptima.h"
#include "support/StopFromAnotherThread.h"

namespace {

andor::SolverSettings deep(std::int32_t depth, problem::RunControl& control)
{
    andor::SolverSettings settings;
    settings.depthLimit = depth;
    settings.control = &control;
    return settings;
}

const andor::ProblemKind bothKinds[] = {andor::ProblemKind::Unconstrained,
                                        andor::ProblemKind::Constrained};

TEST(AndOrStop, AStopAskedBeforeTheRunEndsItBeforeTheSetsAreBuilt)
{
    for (const andor::ProblemKind kind : bothKinds) {
        problem::RunControl control;
        control.requestStop();
        const auto run = andor::runAndOr(readClassicInstance("cgcut1.BI"), kind, deep(3, control));
        ASSERT_FALSE(run.has_value());
        EXPECT_EQ(run.error(), andor::AndOrFailure::Stopped);
        EXPECT_EQ(andor::failureMessage(run.error()), "Cálculo interrompido.");
    }
}

// The first progress report asks for the stop: the search must end at a later checkpoint,
// deep inside, instead of finishing.
TEST(AndOrStop, AStopAskedDuringTheSearchEndsIt)
{
    for (const andor::ProblemKind kind : bothKinds) {
        problem::RunControl* self = nullptr;
        std::int64_t statesAtStop = 0;
        problem::RunControl control(
            [&](const problem::RunProgress& progress) {
                statesAtStop = progress.statesSolved;
                self->requestStop();
            },
            std::chrono::milliseconds(0));
        self = &control;
        const auto run = andor::runAndOr(readClassicInstance("gcut13.BI"), kind, deep(4, control));
        ASSERT_FALSE(run.has_value());
        EXPECT_EQ(run.error(), andor::AndOrFailure::Stopped);
        EXPECT_GT(statesAtStop, 0);
    }
}

TEST(AndOrStop, AControlThatNeverStopsLeavesTheResultAsItIs)
{
    for (const andor::ProblemKind kind : bothKinds) {
        std::int64_t lastStates = 0;
        bool grew = true;
        problem::RunControl control(
            [&](const problem::RunProgress& progress) {
                grew = grew && progress.statesSolved >= lastStates;
                lastStates = progress.statesSolved;
            },
            std::chrono::milliseconds(0));
        const problem::TInstance instance = readClassicInstance("gcut13.BI");
        const auto watched = andor::runAndOr(instance, kind, deep(3, control));
        const auto plain = andor::runAndOr(instance, kind, [] {
            andor::SolverSettings settings;
            settings.depthLimit = 3;
            return settings;
        }());
        ASSERT_TRUE(watched.has_value());
        ASSERT_TRUE(plain.has_value());
        EXPECT_EQ(watched->value, plain->value);
        EXPECT_EQ(watched->counts, plain->counts);
        EXPECT_TRUE(grew);
        EXPECT_GT(lastStates, 0);
    }
}

// As a window's Parar does: another thread asks for the stop while the search runs on its own.
TEST(AndOrStop, AStopFromAnotherThreadEndsALongSearch)
{
    const auto run = stopFromAnotherThread([](problem::RunControl& control) {
        return andor::runAndOr(readClassicInstance("Hchl2.BI"), andor::ProblemKind::Constrained,
                               deep(5, control));
    });
    ASSERT_FALSE(run.has_value());
    EXPECT_EQ(run.error(), andor::AndOrFailure::Stopped);
}

} // namespace
