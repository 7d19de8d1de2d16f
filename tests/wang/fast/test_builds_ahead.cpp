#include "wang/fast/BuildsAhead.h"

#include <gtest/gtest.h>

#include <chrono>
#include <new>
#include <thread>

namespace {

// What outer record `outer` gives: outer % 5 builds shown, each naming its record and place,
// out of outer % 5 + outer % 3 made. Either thread may make any record.
std::int64_t makeNumbered(std::size_t outer, std::vector<wang::MadeBuild>& shown)
{
    const std::size_t count = outer % 5;
    for (std::size_t k = 0; k < count; ++k) {
        wang::MadeBuild& made = shown.emplace_back();
        made.pair = outer;
        made.rank = static_cast<std::int32_t>(k);
    }
    return static_cast<std::int64_t>(count + outer % 3);
}

TEST(BuildsAhead, HandsOverEveryRecordInOrder)
{
    // From one record to many more chunks than slots, taken quickly or slowly (so that the
    // second thread runs as far ahead as it may and must not refill what is being read); the
    // last case is left after a few records, which must stop the second thread without a hang.
    const struct {
        std::size_t outers;
        std::size_t taken;
        bool slowly;
    } cases[] = {{1, 1, false},       {15, 15, false},    {16, 16, false},  {17, 17, false},
                 {5000, 5000, false}, {3000, 3000, true}, {5000, 40, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.outers << " records, " << c.taken << " taken");
        wang::BuildsAhead ahead(c.outers, makeNumbered, makeNumbered);
        for (std::size_t outer = 0; outer < c.taken; ++outer) {
            const wang::BuildsAhead::Outer given = ahead.next();
            if (c.slowly && outer % 7 == 0)
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            std::vector<wang::MadeBuild> expected;
            ASSERT_EQ(given.made, makeNumbered(outer, expected));
            ASSERT_EQ(given.shown.size(), expected.size());
            for (std::size_t k = 0; k < expected.size(); ++k) {
                ASSERT_EQ(given.shown[k].pair, outer);
                ASSERT_EQ(given.shown[k].rank, expected[k].rank);
            }
        }
    }
}

TEST(BuildsAhead, AFailedRecordFailsWhereItIsTaken)
{
    // The failure of one record, made on whichever thread, reaches the taker no later than that
    // record; every record handed over before it is whole.
    constexpr std::size_t failing = 1000;
    auto make = [](std::size_t outer, std::vector<wang::MadeBuild>& shown) -> std::int64_t {
        if (outer == failing)
            throw std::bad_alloc();
        return makeNumbered(outer, shown);
    };
    for (int run = 0; run < 20; ++run) {
        wang::BuildsAhead ahead(2000, make, make);
        std::size_t taken = 0;
        try {
            for (; taken <= failing; ++taken) {
                const wang::BuildsAhead::Outer given = ahead.next();
                std::vector<wang::MadeBuild> expected;
                ASSERT_EQ(given.made, makeNumbered(taken, expected));
                ASSERT_EQ(given.shown.size(), expected.size());
            }
            FAIL() << "the failing record was handed over";
        } catch (const std::bad_alloc&) {
            EXPECT_LE(taken, failing);
        }
    }
}

} // namespace
