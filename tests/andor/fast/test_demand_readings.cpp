#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "andor/fast/DemandReadings.h"

namespace {

// A reading serves exactly the demands that agree with the one it was written for, each type
// cut off at its saturation; raising by it reads that saturation beyond the pieces taken.
template <typename Count> void checkAgainstTheDefinition(std::int32_t largest)
{
    using Readings = andor::DemandReadings<Count>;
    constexpr std::size_t n = 9; // not a multiple of a vector's width
    std::mt19937 random(static_cast<std::uint32_t>(largest));
    const auto pick = [&](std::int32_t high) {
        // Small counts often, so that demands meet saturations; the largest now and then.
        const std::int32_t count = std::uniform_int_distribution<std::int32_t>(0, 5)(random);
        return random() % 8 == 0 ? high : std::min(count, high);
    };
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<std::int32_t> saturation(n), demand(n), other(n);
        for (std::size_t i = 0; i < n; ++i) {
            saturation[i] = pick(largest);
            demand[i] = pick(largest);
            other[i] = random() % 2 ? demand[i] : pick(largest);
        }
        std::vector<typename Readings::Reading> reading(n);
        Readings::write(reading.data(), saturation.data(), demand.data(), n);

        bool agree = true;
        for (std::size_t i = 0; i < n; ++i)
            agree =
                agree && std::min(other[i], saturation[i]) == std::min(demand[i], saturation[i]);
        ASSERT_EQ(Readings::serves(reading.data(), other.data(), n), agree) << "trial " << trial;
        ASSERT_TRUE(Readings::serves(reading.data(), demand.data(), n));

        // The node's working copy lacks taken pieces of its own remaining demand.
        std::vector<std::int32_t> remaining(n), working(n), raised(n);
        for (std::size_t i = 0; i < n; ++i) {
            remaining[i] = pick(largest);
            working[i] = remaining[i] - pick(remaining[i]);
            raised[i] = pick(largest);
        }
        std::vector<std::int32_t> expected = raised;
        for (std::size_t i = 0; i < n; ++i) {
            // Past every demand a reading reads them all: it stops at the largest count.
            const std::int64_t read = std::int64_t{std::min(demand[i], saturation[i])} +
                                      (demand[i] < saturation[i] ? 1 : 0) + remaining[i] -
                                      working[i];
            expected[i] = std::max<std::int64_t>(
                expected[i],
                std::min<std::int64_t>(read, std::numeric_limits<std::int32_t>::max()));
        }
        Readings::raise(raised.data(), reading.data(), remaining.data(), working.data(), n);
        ASSERT_EQ(raised, expected) << "trial " << trial;
    }
}

TEST(DemandReadings, ServeAndRaiseAsTheirDefinitionSays)
{
    checkAgainstTheDefinition<std::uint16_t>(32767); // the largest demand of 16-bit readings
    checkAgainstTheDefinition<std::int32_t>(2'000'000'000);
}

} // namespace
