#include "problem/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

// Runs under a locale whose decimal point takes two bytes in UTF-8 (Pashto: U+066B).
class MultiByteDecimalPoint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::setlocale(LC_ALL, "ps_AF.UTF-8"), nullptr)
            << "the compiled locale is missing: LOCPATH=" << std::getenv("LOCPATH");
        ASSERT_STREQ(std::localeconv()->decimal_point, "\xD9\xAB");
    }

    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(MultiByteDecimalPoint, RealsAreWrittenAsUnderAnyOtherLocale)
{
    struct Case {
        long double value;
        const char* text;
    };
    const Case cases[] = {
        {2.4f, "2,40000009536743"}, {80.0L / 3.0L, "26,6666666666667"},
        {0.000015L, "1,5E-5"},      {999999999999999.5L, "1E15"},
        {-12.5, "-12,5"},           {123456789012345678.0L, "1,23456789012346E17"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(problem::formatReal(c.value, ','), c.text);
}

TEST_F(MultiByteDecimalPoint, TheLocaleSeparatorIsNoSingleCharacter)
{
    EXPECT_EQ(problem::decimalSeparatorOf(std::localeconv()->decimal_point), std::nullopt);
}

} // namespace
