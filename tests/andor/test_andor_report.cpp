#include "andor/AndOrReport.h"
#include "problem/BiFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

problem::TInstance example()
{
    auto instance = problem::readBiFile(QUADRIX_TEST_DATA_DIR "/example.BI");
    EXPECT_TRUE(instance.has_value());
    return *instance;
}

problem::ReportLines goldenLines(char separator)
{
    std::ifstream file(QUADRIX_TEST_DATA_DIR "/andor_example_depth2.txt");
    problem::ReportLines lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(separator == '.' && line == "Perda = 7,5 %" ? "Perda = 7.5 %" : line);
    return lines;
}

andor::AndOrReportChoices unconstrainedDepth2()
{
    andor::AndOrReportChoices choices;
    choices.constrained = false;
    choices.depthLimit = 2;
    return choices;
}

TEST(AndOrReport, GoldenReportUnderBothSeparators)
{
    andor::SolverSettings settings;
    settings.depthLimit = 2;
    auto run = andor::runAndOr(example(), andor::ProblemKind::Unconstrained, settings);
    ASSERT_TRUE(run.has_value());
    run->elapsedSeconds = 0;
    for (char separator : {',', '.'})
        EXPECT_EQ(andor::andOrReport(example(), *run, unconstrainedDepth2(), separator),
                  goldenLines(separator));
}

// The block of lines between two markers, markers excluded.
problem::ReportLines between(const problem::ReportLines& lines, const std::string& from,
                             const std::string& to)
{
    const auto begin = std::find(lines.begin(), lines.end(), from);
    const auto end = std::find(begin, lines.end(), to);
    return begin == lines.end() ? problem::ReportLines{} : problem::ReportLines(begin + 1, end);
}

TEST(AndOrReport, PieceLinesCountOneAndMore)
{
    andor::AndOrRun run;
    run.counts = {0, 2, 1};
    problem::TInstance instance = example();
    instance.pieceCount = 3;
    instance.pieces[2] = {3, 1, 1, 1, 1};
    const problem::ReportLines lines = andor::andOrReport(instance, run, {}, ',');
    const auto pattern = std::find(lines.begin(), lines.end(), "Heurísticas: Não") + 4;
    EXPECT_EQ(problem::ReportLines(pattern, pattern + 5),
              (problem::ReportLines{"2 peças (2)", "", "1 peça (3)", "", problem::separatorLine}));
}

TEST(AndOrReport, NoPieceGoesStraightToTheFoot)
{
    const problem::ReportLines lines = andor::andOrReport(example(), andor::AndOrRun{}, {}, ',');
    const auto parameters = std::find(lines.begin(), lines.end(), "Heurísticas: Não");
    EXPECT_EQ(problem::ReportLines(parameters, parameters + 6),
              (problem::ReportLines{"Heurísticas: Não", "", problem::separatorLine, "",
                                    problem::separatorLine, ""}));
    EXPECT_EQ(lines[lines.size() - 4], "Área ótima = 0");
    EXPECT_EQ(lines[lines.size() - 3], "Perda = 100 %");
}

TEST(AndOrReport, LambdaTextsAsTypedAndEmptySet)
{
    andor::AndOrReportChoices choices;
    choices.heuristicsOn = true;
    choices.symmetryOn = true;
    choices.lambda1Text = "0,10";
    choices.lambda2Text = " 0,95";
    const problem::ReportLines lines =
        andor::andOrReport(example(), andor::AndOrRun{}, choices, ',');
    EXPECT_EQ(
        between(lines, "Simetria: Sim", ""),
        (problem::ReportLines{"Heurísticas: Sim", "   Lambda 1 = 0,10", "   Lambda 2 =  0,95"}));
    EXPECT_EQ(between(lines, "X: 0 elementos", "Y: 0 elementos"),
              (problem::ReportLines{"    x      F(x)", ""}));
    EXPECT_EQ(lines[2], "Problema de Corte Bidimensional Restrito - Abordagem Grafo E/OU");
}

TEST(AndOrReport, LossAndTimeLines)
{
    struct Case {
        int height, length;
        std::array<std::int32_t, problem::maxPieceTypes> counts;
        std::int64_t seconds;
        const char* loss;
        const char* time;
    };
    // Types of the example: 3 x 2 and 4 x 5.
    const Case cases[] = {
        {10, 8, {0, 4}, 0, "Perda = 0 %", "Tempo: <1s"},
        {10, 9, {11, 0}, 125, "Perda = 26,6666666666667 %", "Tempo: 125s"},
        {10, 8, {9, 1}, 1, "Perda = 7,5 %", "Tempo: 1s"},
    };
    for (const Case& c : cases) {
        problem::TInstance instance = example();
        instance.plateHeight = c.height;
        instance.plateLength = c.length;
        andor::AndOrRun run;
        run.counts = c.counts;
        run.elapsedSeconds = c.seconds;
        const problem::ReportLines lines = andor::andOrReport(instance, run, {}, ',');
        EXPECT_EQ(lines[lines.size() - 3], c.loss);
        EXPECT_EQ(lines[lines.size() - 2], c.time);
        EXPECT_EQ(andor::andOrSummary(instance, run, ',')[2], c.loss);
    }
}

TEST(AndOrReport, LossInExtendedPrecision)
{
    problem::TInstance instance;
    instance.plateHeight = 21;
    instance.plateLength = 161;
    EXPECT_EQ(andor::andOrLoss(instance, 609.0f), 100.0L - 100.0L * 609.0L / 3381.0L);
    instance.pieceCount = 1;
    instance.pieces[0] = {1, 7, 87, 1, 1};
    EXPECT_EQ(andor::usedAreaOf(instance, {1}), 609.0f);
    andor::AndOrRun run;
    run.counts = {1};
    EXPECT_EQ(andor::andOrSummary(instance, run, ',')[2], "Perda = 81,9875776397516 %");
}

TEST(AndOrReport, UsedAreaIsAThirtyTwoBitSum)
{
    problem::TInstance instance;
    instance.pieceCount = 2;
    instance.pieces[0] = {1, 1, 1, 1, 1};
    instance.pieces[1] = {2, 4096, 4096, 1, 1};
    // 2^24 + 1 is not a 32-bit real: the sum rounds after each addition.
    EXPECT_EQ(andor::usedAreaOf(instance, {1, 1}), 16777216.0f);
}

} // namespace
