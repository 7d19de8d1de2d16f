#include "problem/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(IntegerConversion, AcceptsAndRefuses)
{
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"12", 12},
        {" 12", 12},
        {"   -5", -5},
        {"+7", 7},
        {"0", 0},
        {"$1F", 31},
        {"x1f", 31},
        {"0x10", 16},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"12 ", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"3,5", std::nullopt},
        {"abc", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$", std::nullopt},
        {"1e3", std::nullopt},
        {"--1", std::nullopt},
        {"$80000000", std::nullopt},
        {"0x", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(problem::parseInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(RealConversion, FollowsTheSeparator)
{
    struct Case {
        const char* text;
        char separator;
        std::optional<long double> expected;
    };
    const Case cases[] = {
        {"0,1", ',', 0.1L},         {" 0,95 ", ',', 0.95L},
        {"-2,5E3", ',', -2500.0L},  {"1e-2", ',', 0.01L},
        {"+3", ',', 3.0L},          {",5", ',', 0.5L},
        {"5,", ',', 5.0L},          {"0.1", '.', 0.1L},
        {"0,1", '.', std::nullopt}, {"0.01", ',', std::nullopt},
        {"", ',', std::nullopt},    {"abc", ',', std::nullopt},
        {"1E", ',', std::nullopt},  {",", ',', std::nullopt},
        {"1 2", ',', std::nullopt}, {"1e99999", ',', std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(problem::parseReal(c.text, c.separator), c.expected) << '"' << c.text << '"';
}

TEST(RealConversion, RoundsOnceFromTheDecimalText)
{
    // 0,01 stored as a 32-bit real lies just below 0.01.
    const auto beta = problem::parseReal("0,01", ',');
    ASSERT_TRUE(beta.has_value());
    EXPECT_EQ(static_cast<float>(*beta), 0.01f);
    EXPECT_LT(static_cast<float>(*beta), 0.01);
}

TEST(RealConversion, RefusesValuesBeyondTheTypeTheyAreKeptIn)
{
    struct Case {
        const char* text;
        std::optional<float> asFloat;
        std::optional<double> asDouble;
    };
    const Case cases[] = {
        {"0,01", 0.01f, 0.01},
        {"-2,5", -2.5f, -2.5},
        {"3,4E38", 3.4e38f, 3.4e38},
        {"1e50", std::nullopt, 1e50},
        {"-1e39", std::nullopt, -1e39},
        {"1e400", std::nullopt, std::nullopt},
        {"-1e400", std::nullopt, std::nullopt},
        {"1e-50", 0.0f, 1e-50},
        {"abc", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(problem::parseRealAs<float>(c.text, ','), c.asFloat) << c.text;
        EXPECT_EQ(problem::parseRealAs<double>(c.text, ','), c.asDouble) << c.text;
    }
}

TEST(DecimalSeparator, OnlyOneAsciiCharacterThatNoNumberUsesServes)
{
    struct Case {
        std::string_view text;
        std::optional<char> expected;
    };
    const Case cases[] = {
        {",", ','},
        {".", '.'},
        {"'", '\''},
        {"_", '_'},
        {"", std::nullopt},
        {"é", std::nullopt},
        {"\xD9\xAB", std::nullopt},
        {",,", std::nullopt},
        {"5", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"e", std::nullopt},
        {"E", std::nullopt},
        {" ", std::nullopt},
        {"\t", std::nullopt},
        {"\x7F", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(problem::decimalSeparatorOf(c.text), c.expected) << '"' << c.text << '"';
}

TEST(GeneralRealFormat, WritesFifteenSignificantDigits)
{
    struct Case {
        long double value;
        const char* comma;
        const char* point;
    };
    const Case cases[] = {
        {2.4f, "2,40000009536743", "2.40000009536743"},
        {80.0L / 3.0L, "26,6666666666667", "26.6666666666667"},
        {0.0001L, "0,0001", "0.0001"},
        {0.000015L, "1,5E-5", "1.5E-5"},
        {1e15L, "1E15", "1E15"},
        {0, "0", "0"},
        {12.5, "12,5", "12.5"},
        {-12.5, "-12,5", "-12.5"},
        {1.000030517578125f, "1,00003051757813", "1.00003051757813"},
        {999999999999999.5L, "1E15", "1E15"},
        {999999999999999.0L, "999999999999999", "999999999999999"},
        {0.00009999999999999999L, "0,0001", "0.0001"},
        {0.0000999999999999L, "9,99999999999E-5", "9.99999999999E-5"},
        {123456789012345678.0L, "1,23456789012346E17", "1.23456789012346E17"},
        {74.0f, "74", "74"},
        {100.0L - 100.0L * 609.0L / (21.0L * 161.0L), "81,9875776397516", "81.9875776397516"},
        {static_cast<float>(24 * 100) / 1000.0L, "2,4", "2.4"},
        {static_cast<float>(24.0L * 100 / 1000), "2,40000009536743", "2.40000009536743"},
        {static_cast<float>(1000.0L / 30), "33,3333320617676", "33.3333320617676"},
        {-0.5e-7L, "-5E-8", "-5E-8"},
        {1.0L / 3.0L, "0,333333333333333", "0.333333333333333"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(problem::formatReal(c.value, ','), c.comma);
        EXPECT_EQ(problem::formatReal(c.value, '.'), c.point);
    }
}

TEST(GeneralRealFormat, RoundsTheExtendedValueItself)
{
    // In double this loss rounds to ...515 at the fifteenth digit; the extended value gives ...516.
    const long double loss = 100.0L - 100.0L * 609.0L / (21 * 161);
    EXPECT_EQ(problem::formatReal(loss, ','), "81,9875776397516");
    EXPECT_EQ(problem::formatReal(static_cast<double>(loss), ','), "81,9875776397515");
}

TEST(GeneralRealFormat, SpecialValues)
{
    EXPECT_EQ(problem::formatReal(std::numeric_limits<double>::infinity(), ','), "INF");
    EXPECT_EQ(problem::formatReal(-std::numeric_limits<double>::infinity(), ','), "-INF");
    EXPECT_EQ(problem::formatReal(std::nan(""), ','), "NAN");
}

TEST(TimeLine, BelowOneSecondAndWholeSeconds)
{
    EXPECT_EQ(problem::timeLine(0), "Tempo: <1s");
    EXPECT_EQ(problem::timeLine(-1), "Tempo: <1s");
    EXPECT_EQ(problem::timeLine(1), "Tempo: 1s");
    EXPECT_EQ(problem::timeLine(75), "Tempo: 75s");
    EXPECT_EQ(problem::timeLine(125), "Tempo: 125s");
}

} // namespace
