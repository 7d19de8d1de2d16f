#include <gtest/gtest.h>

#include <cstdint>

#include "andor/fast/GrowingArray.h"

namespace {

struct Cell {
    std::int32_t value = 7;
    float weight = 0.5f;
};

// Sizes that stay in the allocator's heap and sizes that the system maps and remaps: every
// element must survive each move of the block.
TEST(GrowingArray, KeepsEveryElementAsItGrows)
{
    for (const std::size_t count :
         {std::size_t{1}, std::size_t{17}, std::size_t{5000}, std::size_t{3} << 20}) {
        andor::GrowingArray<std::int64_t> array;
        for (std::size_t i = 0; i < count; ++i)
            array.push_back(static_cast<std::int64_t>(i * 3 + 1));
        ASSERT_EQ(array.size(), count);
        EXPECT_GE(array.capacity(), count);
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < count; ++i)
            wrong += array[i] != static_cast<std::int64_t>(i * 3 + 1);
        EXPECT_EQ(wrong, 0u) << count << " elements";
    }
}

TEST(GrowingArray, ResizeValueInitializesNewElementsAndKeepsTheOld)
{
    andor::GrowingArray<Cell> array;
    array.push_back({1, 2.0f});
    array.resize(40);
    ASSERT_EQ(array.size(), 40u);
    EXPECT_EQ(array[0].value, 1);
    EXPECT_EQ(array[39].value, 7);
    EXPECT_EQ(array[39].weight, 0.5f);
    array.resize(3);
    EXPECT_EQ(array.size(), 3u);
    EXPECT_EQ(array[0].weight, 2.0f);
}

TEST(GrowingArray, PushingAnElementOfItsOwnSurvivesTheMove)
{
    andor::GrowingArray<std::int64_t> array;
    array.push_back(42);
    for (int i = 0; i < 20; ++i)
        array.push_back(array[0]); // the block moves while the element is read
    for (std::size_t i = 0; i < array.size(); ++i)
        EXPECT_EQ(array[i], 42) << i;
}

TEST(GrowingArray, MovingLeavesTheSourceEmpty)
{
    andor::GrowingArray<std::int32_t> source;
    source.reserve(100);
    source.push_back(5);
    andor::GrowingArray<std::int32_t> target;
    target.push_back(9);
    target = std::move(source);
    EXPECT_EQ(target.size(), 1u);
    EXPECT_EQ(target[0], 5);
    EXPECT_EQ(source.size(), 0u);
    EXPECT_EQ(source.capacity(), 0u);
    source.push_back(3); // still usable
    EXPECT_EQ(source[0], 3);
}

} // namespace
