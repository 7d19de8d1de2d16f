#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "andor/fast/ZeroedMemory.h"

// Blocks below and above the size that asks for huge pages come zeroed, and every byte of
// them can be written: a mapping trimmed to its boundary must keep the whole block.
TEST(ZeroedMemory, GivesZeroedBlocksOfEverySize)
{
    constexpr std::size_t hugePage = std::size_t{2} << 20;
    for (const std::size_t bytes :
         {std::size_t{1}, std::size_t{4096}, hugePage - 1, hugePage, 5 * hugePage + 3}) {
        andor::ZeroedMemory block = andor::allocateZeroed(bytes);
        ASSERT_NE(block.get(), nullptr);
        auto* first = static_cast<std::uint8_t*>(block.get());
        EXPECT_TRUE(std::all_of(first, first + bytes, [](std::uint8_t b) { return b == 0; }))
            << bytes;
        std::fill(first, first + bytes, std::uint8_t{0xA5});
        EXPECT_EQ(first[bytes - 1], 0xA5) << bytes;
    }
}
