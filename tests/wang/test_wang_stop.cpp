#include <gtest/gtest.h>

#include <chrono>

#include "support/ClassicOptima.h"
#include "support/StopFromAnotherThread.h"
#include "wang/WangReport.h"
#include "wang/WangRun.h"

namespace {

wang::WangOptions controlledBy(problem::RunControl& control)
{
    wang::WangOptions options;
    options.control = &control;
    return options;
}

// The first progress report asks for the stop, in the middle of a pass.
TEST(WangStop, AStopAskedDuringAPassEndsTheRun)
{
    problem::RunControl* self = nullptr;
    problem::RunProgress atStop;
    problem::RunControl control(
        [&](const problem::RunProgress& progress) {
            atStop = progress;
            self->requestStop();
        },
        std::chrono::milliseconds(0));
    self = &control;
    const auto run = wang::runWang(readClassicInstance("okp1.BI"), 1.0f, controlledBy(control));
    ASSERT_FALSE(run.has_value());
    EXPECT_EQ(run.error(), wang::WangFailure::Stopped);
    EXPECT_EQ(wang::failureMessage(run.error()), "Cálculo interrompido.");
    EXPECT_GE(atStop.pass, 1);
    EXPECT_GT(atStop.recordsKept, 0);
}

TEST(WangStop, AControlThatNeverStopsLeavesTheResultAsItIs)
{
    problem::RunProgress last;
    problem::RunControl control([&](const problem::RunProgress& progress) { last = progress; },
                                std::chrono::milliseconds(0));
    const problem::TInstance instance = readClassicInstance("2s.BI");
    const auto watched = wang::runWang(instance, 0.05f, controlledBy(control));
    const auto plain = wang::runWang(instance, 0.05f);
    ASSERT_TRUE(watched.has_value());
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(watched->patterns.size(), plain->patterns.size());
    EXPECT_EQ(watched->best, plain->best);
    EXPECT_EQ(watched->counts, plain->counts);
    EXPECT_EQ(watched->buildsTried, plain->buildsTried);
    EXPECT_LE(last.recordsKept, static_cast<std::int64_t>(plain->patterns.size()));
    EXPECT_LE(last.pass, plain->passes);
    EXPECT_GT(last.recordsKept, 0);
}

// The report of a long list is written on the worker too, and can be stopped there.
TEST(WangStop, TheReportStopsWhenAskedAndIsTheSameOtherwise)
{
    const problem::TInstance instance = readClassicInstance("2s.BI");
    const auto run = wang::runWang(instance, 0.05f);
    ASSERT_TRUE(run.has_value());
    problem::RunControl watching;
    EXPECT_EQ(wang::wangReport(instance, *run, ',', &watching),
              wang::wangReport(instance, *run, ','));
    problem::RunControl stopped;
    stopped.requestStop();
    EXPECT_THROW(wang::wangReport(instance, *run, ',', &stopped), problem::RunStopped);
}

// As a window's Parar does: another thread asks for the stop while the generation runs.
TEST(WangStop, AStopFromAnotherThreadEndsALongGeneration)
{
    const auto run = stopFromAnotherThread([](problem::RunControl& control) {
        return wang::runWang(readClassicInstance("okp1.BI"), 1.0f, controlledBy(control));
    });
    ASSERT_FALSE(run.has_value());
    EXPECT_EQ(run.error(), wang::WangFailure::Stopped);
}

} // namespace
