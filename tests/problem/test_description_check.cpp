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
    problem::DescriptionFault fault;
};

class Descriptions : public testing::TestWithParam<DescriptionCase> {};

TEST_P(Descriptions, ReadBackRule)
{
    EXPECT_EQ(problem::checkDescription(GetParam().description), GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(
    Editor, Descriptions,
    testing::Values(
        DescriptionCase{"Empty", "", problem::DescriptionFault::None},
        DescriptionCase{"Plain", "Teste", problem::DescriptionFault::None},
        DescriptionCase{"AccentedLettersInside", "Peça de vidro nº 3 – €",
                        problem::DescriptionFault::None},
        DescriptionCase{"ExactlyTheLimit", std::string(97, 'a'), problem::DescriptionFault::None},
        DescriptionCase{"OneOverTheLimit", std::string(98, 'a'),
                        problem::DescriptionFault::TooLong},
        DescriptionCase{"LimitCountsCharactersNotBytes", repeated("é", 97),
                        problem::DescriptionFault::None},
        DescriptionCase{"AccentedOverTheLimit", repeated("é", 98),
                        problem::DescriptionFault::TooLong},
        DescriptionCase{"LeadingBlank", " Teste", problem::DescriptionFault::LostStart},
        DescriptionCase{"LeadingPunctuation", "(Teste)", problem::DescriptionFault::LostStart},
        DescriptionCase{"OutsideTheCodePage", "Placa \xe2\x88\x9e",
                        problem::DescriptionFault::Unwritable},
        DescriptionCase{"LineFeed", "Tes\nte", problem::DescriptionFault::Unwritable},
        DescriptionCase{"Tab", "Tes\tte", problem::DescriptionFault::Unwritable},
        DescriptionCase{"UnassignedByteCodePoint", "Teste \xc2\x81",
                        problem::DescriptionFault::Unwritable},
        DescriptionCase{"LongAndUnwritableReportsUnwritable",
                        std::string(120, 'a') + "\xe2\x88\x9e",
                        problem::DescriptionFault::Unwritable}),
    [](const auto& info) { return info.param.name; });

} // namespace
