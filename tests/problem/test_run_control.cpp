#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "problem/RunControl.h"

namespace {

TEST(RunControl, ACheckpointThrowsOnlyOnceAStopWasRequested)
{
    problem::RunControl control;
    for (int i = 0; i < 1000; ++i)
        control.checkpoint();
    EXPECT_FALSE(control.stopRequested());
    control.requestStop();
    EXPECT_TRUE(control.stopRequested());
    EXPECT_THROW(control.checkpoint(), problem::RunStopped);
    EXPECT_THROW(control.checkpoint(), problem::RunStopped);
}

TEST(RunControl, ReportsTheCountsTheEngineKeeps)
{
    std::vector<std::int64_t> seen;
    problem::RunControl control(
        [&](const problem::RunProgress& progress) { seen.push_back(progress.statesSolved); },
        std::chrono::milliseconds(0));
    for (int i = 1; i <= 1024; ++i) {
        control.progress().statesSolved = i;
        control.checkpoint();
    }
    // With no interval, every look at the clock reports: one per 256 checkpoints.
    EXPECT_EQ(seen, (std::vector<std::int64_t>{256, 512, 768, 1024}));
    control.reportNow();
    EXPECT_EQ(seen.back(), 1024);
}

TEST(RunControl, ASparseCheckpointLooksAtTheClockMoreOften)
{
    int reports = 0;
    problem::RunControl control([&](const problem::RunProgress&) { ++reports; },
                                std::chrono::milliseconds(0));
    for (int i = 0; i < 64; ++i)
        control.sparseCheckpoint();
    EXPECT_EQ(reports, 4);
    control.requestStop();
    EXPECT_THROW(control.sparseCheckpoint(), problem::RunStopped);
}

TEST(RunControl, ReportsNoMoreOftenThanItsInterval)
{
    int reports = 0;
    problem::RunControl control([&](const problem::RunProgress&) { ++reports; },
                                std::chrono::hours(1));
    for (int i = 0; i < 100000; ++i)
        control.checkpoint();
    EXPECT_EQ(reports, 0);
}

} // namespace
