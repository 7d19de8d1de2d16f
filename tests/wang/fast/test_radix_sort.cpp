#include "wang/fast/RadixSort.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(SortByHighBits, AgreesWithAComparisonSort)
{
    // Short lists go by comparison, long ones by digits: both sides of the switch, values
    // reaching every digit, repeated values and lists already in order; with and without
    // low bits below the key.
    std::mt19937_64 random(7);
    const struct {
        std::size_t size;
        std::uint64_t below;
    } cases[] = {{0, 10},
                 {1, 10},
                 {1023, 1u << 20},
                 {1024, 1u << 20},
                 {5000, 8},
                 {5000, std::uint64_t{1} << 33},
                 {70000, std::uint64_t{1} << 33}};
    std::vector<std::uint64_t> scratch;
    for (const unsigned lowBits : {0u, 31u})
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.size << " values, " << lowBits << " low bits");
            // Distinct low bits, as the position of each value, so that the order is defined.
            std::vector<std::uint64_t> values(c.size);
            for (std::size_t i = 0; i < values.size(); ++i)
                values[i] = std::uniform_int_distribution<std::uint64_t>(0, c.below - 1)(random)
                                << lowBits |
                            (lowBits > 0 ? i : 0);
            auto highBits = [&](std::uint64_t value) { return value >> lowBits; };
            std::vector<std::uint64_t> expected = values;
            std::ranges::stable_sort(expected, {}, highBits);
            wang::sortByHighBits(values, scratch, lowBits);
            EXPECT_TRUE(std::ranges::equal(values, expected, {}, highBits, highBits));
            wang::sortByHighBits(values, scratch, lowBits);
            EXPECT_TRUE(std::ranges::equal(values, expected, {}, highBits, highBits));
        }
}

} // namespace
