#include "RadixSort.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(SortSmallKeys, AgreesWithAComparisonSort) {
    // Short lists go by comparison, long ones by digits: both sides of the switch, values
    // reaching every digit, repeated values and lists already in order.
    std::mt19937_64 random(7);
    const struct {
        std::size_t size;
        std::uint64_t below;
    } cases[] = {{0, 10}, {1, 10}, {1023, 1u << 20}, {1024, 1u << 20}, {5000, 8},
                 {5000, std::uint64_t{1} << 33}, {70000, std::uint64_t{1} << 33}};
    std::vector<std::uint64_t> scratch;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        std::vector<std::uint64_t> values(c.size);
        for (std::uint64_t& value : values)
            value = std::uniform_int_distribution<std::uint64_t>(0, c.below - 1)(random);
        std::vector<std::uint64_t> expected = values;
        std::ranges::sort(expected);
        sortSmallKeys(values, scratch);
        EXPECT_EQ(values, expected);
        sortSmallKeys(values, scratch);
        EXPECT_EQ(values, expected);
    }
}

} // namespace
