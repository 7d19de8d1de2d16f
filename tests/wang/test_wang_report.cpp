#include "support/WangTestInstances.h"
#include "wang/WangReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

const std::string sep(40, '=');

// The lines before the pattern lines for a 10 x W plate, pieces given as (h, l, d).
problem::ReportLines reportStart(int length, const std::vector<TestPiece>& pieces)
{
    problem::ReportLines lines = {
        sep, "",       wang::wangReportTitle,           "", sep, "", "Teste",
        "",  "H = 10", "W = " + std::to_string(length), "", sep, "", "Peças:",
        ""};
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const TestPiece& p = pieces[i];
        lines.insert(lines.end(), {"   Peça número " + std::to_string(i + 1),
                                   "   Altura: " + std::to_string(p.height),
                                   "   Comprimento: " + std::to_string(p.length),
                                   "   Quantidade: " + std::to_string(p.demand),
                                   "   Valor da peça: " + std::to_string(p.height * p.length), ""});
    }
    lines.insert(lines.end(), {sep, "", "Padrões gerados:", ""});
    return lines;
}

wang::WangRun runAtTimeZero(const problem::TInstance& instance, float beta)
{
    auto run = wang::runWang(instance, beta);
    EXPECT_TRUE(run.has_value());
    // The time line is the report skeleton's; pin it so the lines can be compared.
    run->elapsedSeconds = 0;
    return *run;
}

struct Golden {
    const char* name;
    int length;
    std::vector<TestPiece> pieces;
    float beta;
    std::vector<std::string> patternLines;
    std::vector<std::string> resultLines;
    std::string lossComma;
    std::string lossPoint;
    std::string area;
};

const Golden goldens[] = {
    {"one square type",
     10,
     {{5, 5, 4}},
     0.01f,
     {"1   -   5   -   5   -   25   -   0   -   0   -   0   -   0   -   75",
      "2   -   5   -   10   -   50   -   1   -   1   -   1   -   0   -   50",
      "3   -   10   -   5   -   50   -   2   -   1   -   1   -   0   -   50",
      "6   -   10   -   10   -   100   -   2   -   2   -   2   -   0   -   0"},
     {"Número de padrões gerados: 4", "Melhor padrão: Peça 6 (Área: 100)"},
     "0",
     "0",
     "100"},
    {"two types",
     15,
     {{5, 10, 1}, {5, 5, 2}},
     0.1f,
     {"1   -   5   -   10   -   50   -   0   -   0   -   0   -   0   -   100",
      "2   -   5   -   5   -   25   -   0   -   0   -   0   -   0   -   125",
      "3   -   5   -   15   -   75   -   1   -   1   -   2   -   0   -   75",
      "5   -   5   -   10   -   50   -   1   -   2   -   2   -   0   -   100",
      "6   -   10   -   5   -   50   -   2   -   2   -   2   -   0   -   100",
      "8   -   10   -   10   -   100   -   2   -   1   -   5   -   0   -   50"},
     {"Número de padrões gerados: 6", "Melhor padrão: Peça 8 (Área: 100)"},
     "33,3333320617676",
     "33.3333320617676",
     "100"},
    {"pieces only",
     10,
     {{5, 5, 4}},
     -0.5f,
     {"1   -   5   -   5   -   25   -   0   -   0   -   0   -   0   -   75"},
     {"Número de padrões gerados: 1", "Melhor padrão: Peça 1 (Área: 25)"},
     "75",
     "75",
     "25"},
};

TEST(WangReport, WholeReportLineForLine)
{
    for (const Golden& golden : goldens) {
        const wang::WangRun run =
            runAtTimeZero(makeInstance(10, golden.length, golden.pieces), golden.beta);
        for (const char separator : {',', '.'}) {
            SCOPED_TRACE(std::string(golden.name) + " with '" + separator + "'");
            problem::ReportLines expected = reportStart(golden.length, golden.pieces);
            expected.insert(expected.end(), golden.patternLines.begin(), golden.patternLines.end());
            expected.insert(expected.end(), {"", sep, ""});
            expected.insert(expected.end(), golden.resultLines.begin(), golden.resultLines.end());
            const std::string& loss = separator == ',' ? golden.lossComma : golden.lossPoint;
            expected.insert(expected.end(), {"Perda = " + loss + " %", "Tempo: <1s", ""});
            const problem::ReportLines lines =
                wang::wangReport(makeInstance(10, golden.length, golden.pieces), run, separator);
            ASSERT_EQ(lines.size(), expected.size());
            for (std::size_t i = 0; i < lines.size(); ++i)
                EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
        }
    }
}

TEST(WangReport, SummaryShowsTheAreaAsAnInteger)
{
    for (const Golden& golden : goldens) {
        SCOPED_TRACE(golden.name);
        const wang::WangRun run =
            runAtTimeZero(makeInstance(10, golden.length, golden.pieces), golden.beta);
        const problem::ReportLines comma = {"Área ótima = " + golden.area, "",
                                            "Perda = " + golden.lossComma + " %", "", "Tempo: <1s"};
        EXPECT_EQ(wang::wangSummary(run, ','), comma);
        const problem::ReportLines point = {"Área ótima = " + golden.area, "",
                                            "Perda = " + golden.lossPoint + " %", "", "Tempo: <1s"};
        EXPECT_EQ(wang::wangSummary(run, '.'), point);
    }
}

TEST(WangReport, PatternNumbersPastThirtyTwoBitsStayPositive)
{
    // Numbers count every build, so long runs pass 2^31 and 2^32; none may wrap around.
    const std::int64_t big = (std::int64_t{1} << 31) + 5;
    const std::int64_t huge = (std::int64_t{1} << 32) + 7;
    const std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    std::vector<wang::TPattern> patterns = {
        {1, 5, 5, wang::kindPiece, 0, 75, wang::noPart, wang::noPart},
        {big, 5, 10, wang::kindHorizontal, 0, 50, 0, 0},
        {huge, 10, 10, wang::kindVertical, 0, 0, 1, 1},
        {largest, 10, 10, wang::kindVertical, 0, 0, 2, 1},
    };
    struct Case {
        std::size_t record;
        const char* line;
    };
    const Case cases[] = {
        {1, "2147483653   -   5   -   10   -   50   -   1   -   1   -   1   -   0   -   50"},
        {2,
         "4294967303   -   10   -   10   -   100   -   2   -   2147483653   -   2147483653   -   "
         "0   -   0"},
        {3, "9223372036854775807   -   10   -   10   -   100   -   2   -   4294967303   -   "
            "2147483653   -   0   -   0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wang::patternLine(patterns, patterns[c.record]), c.line);
        EXPECT_EQ(wang::patternFields(patterns, patterns[c.record])[0], patterns[c.record].id);
    }

    wang::WangRun run;
    run.patterns = patterns;
    run.best = 2;
    run.bestArea = 100;
    const problem::ReportLines lines =
        wang::wangReport(makeInstance(10, 10, {{5, 5, 4}}), run, ',');
    EXPECT_NE(std::ranges::find(lines, "Melhor padrão: Peça 4294967303 (Área: 100)"), lines.end());
}

} // namespace
