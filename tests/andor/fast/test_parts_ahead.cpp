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
    part.reading = {static_cast<std::int64_t>(job), static_cast<std::int64_t>(half)};
    return part;
}

void expectPartOf(const andor::PartsAhead::Part* part, std::size_t job, std::size_t half)
{
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->reading, (std::vector<std::int64_t>{static_cast<std::int64_t>(job),
                                                        static_cast<std::int64_t>(half)}));
}

const std::function<void()> nothing = [] {};

// A node of pairs pairs, named by its partLevels so that a job tells its board apart.
andor::PartsAhead::Node nodeOf(std::size_t pairs, std::int32_t name = 0)
{
    andor::PartsAhead::Node node;
    node.partLevels = name;
    node.pairs.resize(pairs);
    return node;
}

// Solves each job at once, both halves.
void solveAll(andor::PartsAhead& self)
{
    while (const auto job = self.nextJob())
        for (const std::size_t half : {0, 1})
            self.finish(*job, half, partOf(job->pair, half));
}

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
            andor::PartsAhead ahead([&](andor::PartsAhead& self) {
                while (const auto job = self.nextJob()) {
                    helped.push_back(job->pair);
                    self.finish(*job, 0, partOf(job->pair, 0));
                    if (job->pair % 3 != 0) // a pair that may not lift: its second part is skipped
                        self.finish(*job, 1, partOf(job->pair, 1));
                }
            });
            const auto board = ahead.open(nodeOf(jobs));
            for (std::size_t job = 0; job < jobs; ++job) {
                if (job % 7 == 3)
                    continue; // a pair the search skips
                for (const std::size_t half : {0, 1}) {
                    const andor::PartsAhead::Part* part = ahead.take(*board, job, half, nothing);
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
    andor::PartsAhead ahead(solveAll);
    const auto board = ahead.open(nodeOf(10));
    ahead.waitUntilIdle();
    for (std::size_t job = 0; job < 10; ++job)
        for (const std::size_t half : {0, 1})
            expectPartOf(ahead.take(*board, job, half, nothing), job, half);
}

// A second thread that fails in the middle of a job leaves the rest to the taker, which does
// not wait for it.
TEST(PartsAhead, AThreadThatFailsLeavesTheRestToTheTaker)
{
    std::atomic<bool> failed = false;
    andor::PartsAhead ahead([&](andor::PartsAhead& self) {
        const auto job = self.nextJob();
        self.finish(*job, 0, partOf(job->pair, 0));
        failed = true;
        throw std::bad_alloc();
    });
    const auto board = ahead.open(nodeOf(5));
    while (!failed)
        std::this_thread::yield();
    expectPartOf(ahead.take(*board, 4, 0, nothing), 4, 0); // its last job comes first
    EXPECT_EQ(ahead.take(*board, 4, 1, nothing), nullptr);
    for (std::size_t job = 0; job < 4; ++job)
        EXPECT_EQ(ahead.take(*board, job, 0, nothing), nullptr);
    ahead.waitUntilIdle(); // a thread that ended is idle
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
        andor::PartsAhead ahead([&](andor::PartsAhead& self) {
            const auto job = self.nextJob();
            working = true;
            try {
                for (;;) {
                    andor::PartsAhead::control(*job).checkpoint();
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
            } catch (const problem::RunStopped&) {
                stopped = true;
                throw;
            }
        });
        const auto board = ahead.open(nodeOf(1));
        while (!working)
            std::this_thread::yield();
        EXPECT_THROW(ahead.take(*board, 0, 0,
                                [&] {
                                    if (++waits == 3)
                                        throw Stop{};
                                }),
                     Stop);
    }
    EXPECT_EQ(waits, 3);
    EXPECT_TRUE(stopped);
}

// The second thread takes the pairs of the newest board first, the node the search is in, and
// goes back to the older board's pairs once those are done.
TEST(PartsAhead, TheNewestBoardGoesFirst)
{
    std::vector<std::pair<std::int32_t, std::size_t>> taken; // board name, pair
    std::atomic<bool> holding = false;
    std::atomic<bool> release = false;
    andor::PartsAhead ahead([&](andor::PartsAhead& self) {
        while (const auto job = self.nextJob()) {
            taken.emplace_back(job->node().partLevels, job->pair);
            holding = true;
            while (!release)
                std::this_thread::yield();
        }
    });
    const auto older = ahead.open(nodeOf(3, 1));
    while (!holding)
        std::this_thread::yield();
    const auto newer = ahead.open(nodeOf(2, 2));
    release = true;
    ahead.waitUntilIdle();
    EXPECT_EQ(taken, (std::vector<std::pair<std::int32_t, std::size_t>>{
                         {1, 2}, {2, 1}, {2, 0}, {1, 1}, {1, 0}}));
}

// A board the search closes stops the job the second thread is at, which goes on with the
// other boards and never takes another pair of the closed one.
TEST(PartsAhead, ClosingABoardStopsItsJobAndTheThreadGoesOn)
{
    std::vector<std::pair<std::int32_t, std::size_t>> taken; // board name, pair
    std::atomic<bool> working = false;
    std::atomic<bool> stopped = false;
    andor::PartsAhead ahead([&](andor::PartsAhead& self) {
        while (const auto job = self.nextJob()) {
            taken.emplace_back(job->node().partLevels, job->pair);
            if (job->node().partLevels != 1) {
                self.finish(*job, 0, partOf(job->pair, 0));
                continue;
            }
            working = true;
            try {
                for (;;)
                    andor::PartsAhead::control(*job).checkpoint();
            } catch (const problem::RunStopped&) {
                stopped = true;
            }
            self.finish(*job, 0, partOf(job->pair, 0)); // too late: nobody takes it
        }
    });
    const auto node = ahead.open(nodeOf(2, 1));
    while (!working) // at the node's last pair, which never ends on its own
        std::this_thread::yield();
    const auto root = ahead.open(nodeOf(2, 0));
    ahead.close(*node);
    ahead.waitUntilIdle();
    EXPECT_TRUE(stopped);
    EXPECT_EQ(taken, (std::vector<std::pair<std::int32_t, std::size_t>>{{1, 1}, {0, 1}, {0, 0}}));
    for (std::size_t pair = 0; pair < 2; ++pair)
        expectPartOf(ahead.take(*root, pair, 0, nothing), pair, 0);
}
