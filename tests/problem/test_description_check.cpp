#include "problem/DescriptionCheck.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string repeated(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

struct DescriptionCase {
    const char* name;
    std::string description;
    DescriptionFault fault;
};

class Descriptions : public testing::TestWithParam<DescriptionCase> {};

TEST_P(Descriptions, ReadBackRule)
{
    EXPECT_EQ(checkDescription(GetParam().description), GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(
    Editor, Descriptions,
    testing::Values(
        DescriptionCase{"Empty", "", DescriptionFault::None},
        DescriptionCase{"Plain", "Teste", DescriptionFault::None},
        DescriptionCase{"AccentedLettersInside", "Peça de vidro nº 3 – €", DescriptionFault::None},
        DescriptionCase{"ExactlyTheLimit", std::string(97, 'a'), DescriptionFault::None},
        DescriptionCase{"OneOverTheLimit", std::string(98, 'a'), DescriptionFault::TooLong},
        DescriptionCase{"LimitCountsCharactersNotBytes", repeated("é", 97), DescriptionFault::None},
        DescriptionCase{"AccentedOverTheLimit", repeated("é", 98), DescriptionFault::TooLong},
        DescriptionCase{"LeadingBlank", " Teste", DescriptionFault::LostStart},
        DescriptionCase{"LeadingPunctuation", "(Teste)", DescriptionFault::LostStart},
        DescriptionCase{"OutsideTheCodePage", "Placa \xe2\x88\x9e", DescriptionFault::Unwritable},
        DescriptionCase{"LineFeed", "Tes\nte", DescriptionFault::Unwritable},
        DescriptionCase{"Tab", "Tes\tte", DescriptionFault::Unwritable},
        DescriptionCase{"UnassignedByteCodePoint", "Teste \xc2\x81", DescriptionFault::Unwritable},
        DescriptionCase{"LongAndUnwritableReportsUnwritable",
                        std::string(120, 'a') + "\xe2\x88\x9e", DescriptionFault::Unwritable}),
    [](const auto& info) { return info.param.name; });

} // namespace
