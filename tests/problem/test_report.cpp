#include "problem/Report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

problem::TInstance threeTypes(std::string description)
{
    problem::TInstance instance;
    instance.description = std::move(description);
    instance.plateHeight = 10;
    instance.plateLength = 8;
    instance.pieceCount = 3;
    for (int i = 0; i < 3; ++i)
        instance.pieces[i] = {i + 1, 3 + i, 2 + i, 1 + i, 6 * (i + 1)};
    return instance;
}

TEST(ReportSkeleton, HeadInstanceBlockAndFoot)
{
    problem::ReportLines lines;
    problem::writeReportHead(lines, "Titulo");
    problem::writeInstanceBlock(lines, threeTypes("Exemplo\r\n"));
    problem::writeReportFoot(lines, {"Área ótima = 74"}, "7,5", 0);
    const std::string sep(40, '=');
    problem::ReportLines expected = {sep,      "",      "Titulo", "",  sep, "",       "Exemplo", "",
                                     "H = 10", "W = 8", "",       sep, "",  "Peças:", ""};
    for (int i = 1; i <= 3; ++i) {
        expected.insert(expected.end(), {"   Peça número " + std::to_string(i),
                                         "   Altura: " + std::to_string(2 + i),
                                         "   Comprimento: " + std::to_string(1 + i),
                                         "   Quantidade: " + std::to_string(i),
                                         "   Valor da peça: " + std::to_string(6 * i), ""});
    }
    expected.insert(expected.end(),
                    {sep, sep, "", "Área ótima = 74", "Perda = 7,5 %", "Tempo: <1s", ""});
    EXPECT_EQ(lines, expected);
}

TEST(ReportSkeleton, DescriptionLineEnds)
{
    struct Case {
        std::string description;
        problem::ReportLines expected;
    };
    const Case cases[] = {
        {"Exemplo\r\n", {"Exemplo", ""}},
        {"", {""}},
        {"Exemplo", {"Exemplo"}},
        {"LF\n", {"LF\n"}},
    };
    for (const Case& c : cases) {
        problem::ReportLines lines;
        problem::TInstance instance = threeTypes(c.description);
        instance.pieceCount = 0;
        problem::writeInstanceBlock(lines, instance);
        const problem::ReportLines head(lines.begin(), lines.begin() + c.expected.size());
        EXPECT_EQ(head, c.expected);
        EXPECT_EQ(lines[c.expected.size()], "H = 10");
        // No piece type: the separator follows the empty line after "Peças:".
        EXPECT_EQ(lines.back(), problem::separatorLine);
        EXPECT_EQ(lines[lines.size() - 2], "");
        EXPECT_EQ(lines[lines.size() - 3], "Peças:");
    }
}

TEST(ReportSkeleton, SummaryHasFiveLines)
{
    EXPECT_EQ(problem::summaryLines("100", "0", 125),
              (problem::ReportLines{"Área ótima = 100", "", "Perda = 0 %", "", "Tempo: 125s"}));
}

TEST(ResultFile, Windows1252WithCrLfAfterEveryLine)
{
    const auto path = std::filesystem::temp_directory_path() / "quadrix_result.txt";
    {
        std::ofstream(path) << "older and longer content that must disappear";
    }
    ASSERT_TRUE(problem::writeResultFile({"Área", "", "x"}, path).has_value());
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, "\xC1rea\r\n\r\nx\r\n");
    std::filesystem::remove(path);
}

} // namespace
