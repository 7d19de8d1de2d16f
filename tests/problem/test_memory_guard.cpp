#include "problem/MemoryGuard.h"
#include "support/ScopedMemoryLimit.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max();

// The use a fake reader reports; a plain function pointer cannot capture it.
std::uint64_t fakeUse = 0;
std::uint64_t readFakeUse()
{
    return fakeUse;
}

TEST(MemoryGuard, WouldPassOnlyAboveTheLimit)
{
    struct Case {
        const char* name;
        std::uint64_t limit, used, asked;
        bool passes;
    };
    const Case cases[] = {
        {"well under", 1000, 100, 100, false},
        {"reaching the limit exactly", 1000, 600, 400, false},
        {"one byte over", 1000, 600, 401, true},
        {"nothing asked, under", 1000, 999, 0, false},
        {"already over, nothing asked", 1000, 1001, 0, true},
        {"already over, asking", 1000, 5000, 1, true},
        {"an ask that would wrap around", 1000, 10, most, true},
        {"no limit, huge ask", most, 1 << 20, most - (1 << 20), false},
        {"no limit, one past", most, 1 << 20, most - (1 << 20) + 1, true},
        {"zero limit, nothing used or asked", 0, 0, 0, false},
        {"zero limit, one byte", 0, 0, 1, true},
    };
    for (const Case& c : cases) {
        fakeUse = c.used;
        const problem::MemoryGuard guard(c.limit, readFakeUse);
        EXPECT_EQ(guard.wouldPass(c.asked), c.passes) << c.name;
        if (c.passes)
            EXPECT_THROW(guard.claim(c.asked), problem::MemoryLimitReached) << c.name;
        else
            EXPECT_NO_THROW(guard.claim(c.asked)) << c.name;
    }
}

TEST(MemoryGuard, ReachedLimitIsABadAlloc)
{
    // Code that only knows of memory running out must still end cleanly.
    fakeUse = 10;
    const problem::MemoryGuard guard(5, readFakeUse);
    EXPECT_THROW(guard.claim(0), std::bad_alloc);
}

TEST(MemoryGuard, ReadsSizesWithSuffixes)
{
    struct Case {
        const char* text;
        std::uint64_t bytes;
    };
    const Case cases[] = {
        {"1", 1},
        {"1048576", 1048576},
        {"1K", 1024},
        {"1k", 1024},
        {"512M", 512ull << 20},
        {"3m", 3ull << 20},
        {"2G", 2ull << 30},
        {"16g", 16ull << 30},
        {"18446744073709551615", most},
        {"17179869183G", 17179869183ull << 30},
    };
    for (const Case& c : cases) {
        const auto read = problem::readMemorySize(c.text);
        ASSERT_TRUE(read.has_value()) << c.text;
        EXPECT_EQ(*read, c.bytes) << c.text;
    }
}

TEST(MemoryGuard, RefusesTextsThatAreNoSize)
{
    const std::vector<const char*> texts = {"",
                                            "M",
                                            "0",
                                            "0K",
                                            "-1",
                                            "+5",
                                            " 5",
                                            "5 ",
                                            "5MB",
                                            "5T",
                                            "5.5M",
                                            "1,5G",
                                            "5KK",
                                            "abc",
                                            "0x10",
                                            "18446744073709551616",
                                            "17179869184G"};
    for (const char* text : texts) {
        const auto read = problem::readMemorySize(text);
        ASSERT_FALSE(read.has_value()) << '"' << text << '"';
        EXPECT_NE(read.error().find("Limite de memória inválido"), std::string::npos) << text;
        EXPECT_NE(read.error().find(std::string("\"") + text + "\""), std::string::npos) << text;
    }
}

TEST(MemoryGuard, SizesForMessages)
{
    struct Case {
        std::uint64_t bytes;
        const char* text;
    };
    const Case cases[] = {
        {0, "0 bytes"},     {1023, "1023 bytes"},        {1048575, "1048575 bytes"},
        {1048576, "1 MiB"}, {(3ull << 20) + 5, "3 MiB"}, {2ull << 30, "2048 MiB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(problem::memorySizeText(c.bytes), c.text) << c.bytes;
}

TEST(MemoryGuard, MachineFiguresAreSensible)
{
    const std::uint64_t physical = problem::physicalMemoryBytes();
    ASSERT_GT(physical, 0u);
    EXPECT_EQ(problem::defaultMemoryLimit(), physical / 4 * 3);
    const std::uint64_t resident = problem::residentBytes();
    EXPECT_GT(resident, 0u);
    EXPECT_LT(resident, physical);
}

TEST(MemoryGuard, ResidentSetFollowsMemoryTouched)
{
    const std::uint64_t before = problem::residentBytes();
    std::vector<char> block(64 << 20, 1); // touched by the fill
    const std::uint64_t after = problem::residentBytes();
    EXPECT_GE(after, before + (32 << 20)) << "a touched block should raise the resident set";
    EXPECT_EQ(block[block.size() / 2], 1);
}

TEST(MemoryGuard, ProcessLimitIsSetAndRestored)
{
    const std::uint64_t start = problem::processMemoryLimit();
    {
        const ScopedMemoryLimit limit(4096);
        EXPECT_EQ(problem::processMemoryLimit(), 4096u);
        EXPECT_EQ(problem::processMemoryGuard().limit(), 4096u);
        // This process holds far more than 4 KiB.
        EXPECT_TRUE(problem::processMemoryGuard().wouldPass(0));
    }
    EXPECT_EQ(problem::processMemoryLimit(), start);
    EXPECT_FALSE(problem::processMemoryGuard().wouldPass(1 << 20));
}

} // namespace
