#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "andor/fast/PartsAhead.h"

namespace {

// A part that names its job and half, so that the taker can tell it got the right one.
andor::PartsAhead::Part partOf(std::size_t job, std::size_t half)
{
    andor::PartsAhead::Part part;
    part.reading = {static_cast<std::int32_t>(job), static_cast<std::int32_t>(half)};
    return part;
}

void expectPartOf(const andor::PartsAhead::Part* part, std::size_t job, std::size_t half)
{
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->reading, (std::vector<std::int32_t>{static_cast<std::int32_t>(job),
                                                        static_cast<std::int32_t>(half)}));
}

const std::function<void()> nothing = [] {};

} // namespace

// Whatever the timing, each half is either the second thread's, given to the taker as it was
// solved, or left to the taker; the thread never works on a job the taker asked for first.
TEST(PartsAhead, EachPartIsTheSecondThreadsOrTheTakersNeverBoth)
{
    for (int round = 0; round < 50; ++round) {
        constexpr std::size_t jobs = 40;
        std::vector<std::size_t> helped; // read once the thread has ended
        std::vector<std::size_t> solvedHere;
        {
            andor::PartsAhead ahead(jobs, [&](andor::PartsAhead& self) {
                while (const auto job = self.nextJob()) {
                    helped.push_back(*job);
                    self.finish(*job, 0, partOf(*job, 0));
                    if (*job % 3 != 0) // a pair that may not lift: its second part is skipped
                        self.finish(*job, 1, partOf(*job, 1));
                }
            });
            for (std::size_t job = 0; job < jobs; ++job) {
                if (job % 7 == 3)
                    continue; // a pair the search skips
                for (const std::size_t half : {0, 1}) {
                    const andor::PartsAhead::Part* part = ahead.take(job, half, nothing);
                    if (part)
                        expectPartOf(part, job, half);
                    else if (half == 0)
                        solvedHere.push_back(job);
                }
            }
        }
        for (const std::size_t job : solvedHere)
            EXPECT_EQ(std::count(helped.begin(), helped.end(), job), 0) << "job " << job;
        for (const std::size_t job : helped)
            EXPECT_EQ(std::count(helped.begin(), helped.end(), job), 1) << "job " << job;
    }
}

TEST(PartsAhead, PartsSolvedBeforeTheTakerAsksAreAllTaken)
{
    andor::PartsAhead ahead(10, [](andor::PartsAhead& self) {
        while (const auto job = self.nextJob())
            for (const std::size_t half : {0, 1})
                self.finish(*job, half, partOf(*job, half));
    });
    ahead.waitUntilDone();
    for (std::size_t job = 0; job < 10; ++job)
        for (const std::size_t half : {0, 1})
            expectPartOf(ahead.take(job, half, nothing), job, half);
}

// A second thread that fails in the middle of a job leaves the rest to the taker, which does
// not wait for it.
TEST(PartsAhead, AThreadThatFailsLeavesTheRestToTheTaker)
{
    std::atomic<bool> failed = false;
    andor::PartsAhead ahead(5, [&](andor::PartsAhead& self) {
        const auto job = self.nextJob();
        self.finish(*job, 0, partOf(*job, 0));
        failed = true;
        throw std::bad_alloc();
    });
    while (!failed)
        std::this_thread::yield();
    expectPartOf(ahead.take(4, 0, nothing), 4, 0); // its last job comes first
    EXPECT_EQ(ahead.take(4, 1, nothing), nullptr);
    for (std::size_t job = 0; job < 4; ++job)
        EXPECT_EQ(ahead.take(job, 0, nothing), nullptr);
}

// While the taker waits for a part in hand, whileWaiting runs, and what it throws ends the
// wait; the second thread is then stopped at its next checkpoint.
TEST(PartsAhead, AWaitingTakerCanStopAndTheSecondThreadEnds)
{
    struct Stop {};
    std::atomic<bool> working = false;
    std::atomic<bool> stopped = false;
    int waits = 0;
    {
        andor::PartsAhead ahead(1, [&](andor::PartsAhead& self) {
            self.nextJob();
            working = true;
            try {
                for (;;) {
                    self.control().checkpoint();
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
            } catch (const problem::RunStopped&) {
                stopped = true;
                throw;
            }
        });
        while (!working)
            std::this_thread::yield();
        EXPECT_THROW(ahead.take(0, 0,
                                [&] {
                                    if (++waits == 3)
                                        throw Stop{};
                                }),
                     Stop);
    }
    EXPECT_EQ(waits, 3);
    EXPECT_TRUE(stopped);
}
