#include "support/ScopedMemoryLimit.h"
#include "support/WangTestInstances.h"
#include "wang/WangRun.h"
#include "wang/rules/GenerationSetup.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace {

using Runner = std::expected<wang::WangRun, wang::WangError> (*)(const problem::TInstance&, float,
                                                                 const wang::WangOptions&);

struct Engine {
    const char* name;
    Runner run;
};

class Generation : public testing::TestWithParam<Engine> {
protected:
    wang::WangRun run(const problem::TInstance& instance, float beta)
    {
        auto result = GetParam().run(instance, beta, {});
        EXPECT_TRUE(result.has_value()) << describe(instance);
        return result ? *result : wang::WangRun{};
    }
};

// Nine numbers of a record as the report shows them, parts as list indices.
struct Expected {
    int id, height, length, kind, internalWaste, totalWaste, first, second;
};

void expectList(const std::vector<wang::TPattern>& patterns, const std::vector<Expected>& expected)
{
    ASSERT_EQ(patterns.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        const wang::TPattern want{e.id,         e.height, e.length, e.kind, e.internalWaste,
                                  e.totalWaste, e.first,  e.second};
        EXPECT_EQ(patterns[i], want) << "record " << i;
    }
}

TEST_P(Generation, OneSquareTypeFillsThePlate)
{
    const wang::WangRun result = run(makeInstance(10, 10, {{5, 5, 4}}), 0.01f);
    expectList(result.patterns, {{1, 5, 5, 0, 0, 75, wang::noPart, wang::noPart},
                                 {2, 5, 10, 1, 0, 50, 0, 0},
                                 {3, 10, 5, 2, 0, 50, 0, 0},
                                 {6, 10, 10, 2, 0, 0, 1, 1}});
    EXPECT_EQ(result.best, 3u);
    EXPECT_EQ(result.counts[0], 4);
    EXPECT_EQ(result.bestArea, 100);
    EXPECT_EQ(result.loss, 0.0f);
    EXPECT_EQ(result.passes, 3);
    EXPECT_EQ(result.buildsTried, 2 * (1 + 9 + 16));
    // Pass 3 makes again the four builds of pass 2, and nothing with record 6.
    EXPECT_EQ(result.buildsMade, 2 + 4 + 4);
}

TEST_P(Generation, TwoTypesKeepOnlyTheirOwnBuilds)
{
    const wang::WangRun result = run(makeInstance(10, 15, {{5, 10, 1}, {5, 5, 2}}), 0.1f);
    expectList(result.patterns, {{1, 5, 10, 0, 0, 100, wang::noPart, wang::noPart},
                                 {2, 5, 5, 0, 0, 125, wang::noPart, wang::noPart},
                                 {3, 5, 15, 1, 0, 75, 0, 1},
                                 {5, 5, 10, 1, 0, 100, 1, 1},
                                 {6, 10, 5, 2, 0, 100, 1, 1},
                                 {8, 10, 10, 2, 0, 50, 0, 3}});
    EXPECT_EQ(result.best, 5u);
    EXPECT_EQ(result.counts[0], 1);
    EXPECT_EQ(result.counts[1], 2);
    EXPECT_EQ(result.bestArea, 100);
    EXPECT_EQ(result.loss, static_cast<float>(5000.0L / 150.0L));
    EXPECT_EQ(result.passes, 3);
    EXPECT_EQ(result.buildsTried, 2 * (4 + 25 + 36));
    EXPECT_EQ(result.buildsMade, 4 + 6 + 6);
}

TEST_P(Generation, NoLimitBelowZeroKeepsOnlyPieces)
{
    // The first piece of largest area wins; a later equal one does not replace it.
    for (const float beta : {-0.01f, -1.0f}) {
        const wang::WangRun result =
            run(makeInstance(10, 10, {{3, 3, 5}, {5, 4, 5}, {4, 5, 5}}), beta);
        EXPECT_EQ(idsOf(result.patterns), (std::vector<int>{1, 2, 3})) << beta;
        EXPECT_EQ(result.best, 1u);
        EXPECT_EQ(result.bestArea, 20);
        EXPECT_EQ(result.passes, 1);
    }
}

TEST_P(Generation, ZeroBetaKeepsOnlyBuildsWithoutInnerWaste)
{
    const wang::WangRun result = run(makeInstance(12, 12, {{3, 4, 3}, {4, 3, 3}, {2, 6, 2}}), 0.0f);
    int built = 0;
    for (const wang::TPattern& record : result.patterns) {
        EXPECT_EQ(record.internalWaste, 0) << record.id;
        built += record.kind != 0;
    }
    EXPECT_GT(built, 0);
}

TEST_P(Generation, DemandLimitsWhichPiecesJoin)
{
    constexpr std::size_t noBest = std::numeric_limits<std::size_t>::max();
    struct Case {
        const char* name;
        std::vector<TestPiece> pieces;
        std::vector<int> ids;
        std::size_t best;
    };
    const Case cases[] = {
        // Demand 0: the piece stays in the list, may be the best, and joins nothing.
        {"demand 0", {{10, 10, 0}, {5, 5, 0}}, {1, 2}, 0},
        {"demand 0 beside", {{10, 10, 0}, {5, 5, 2}}, {1, 2, 3, 4}, 0},
        // Demand 1: no build of the piece with itself.
        {"demand 1", {{5, 5, 1}}, {1}, 0},
        // Equal-sized types give equal shapes that differ only in counts; all are kept,
        // and the mirror image (2, 1) of (1, 2) is removed.
        {"equal sizes", {{5, 5, 2}, {5, 5, 2}}, {1, 2, 3, 4, 5, 6, 9, 10}, noBest},
    };
    for (const Case& c : cases) {
        const wang::WangRun result = run(makeInstance(10, 10, c.pieces), 0.01f);
        std::vector<int> ids = idsOf(result.patterns);
        ids.resize(std::min(ids.size(), c.ids.size()));
        EXPECT_EQ(ids, c.ids) << c.name;
        if (c.best != noBest) {
            EXPECT_EQ(result.best, c.best) << c.name;
        }
    }
}

TEST_P(Generation, EqualHeightsKeepTheOuterRecordFirst)
{
    const wang::WangRun result = run(makeInstance(10, 10, {{5, 5, 2}, {5, 5, 2}}), 0.01f);
    ASSERT_GE(result.patterns.size(), 5u);
    // Record 5 is (1, 2) side by side: piece 1 first, piece 2 second.
    EXPECT_EQ(result.patterns[4].id, 5);
    EXPECT_EQ(result.patterns[4].first, 0);
    EXPECT_EQ(result.patterns[4].second, 1);
}

TEST_P(Generation, SummedSideMayReachThePlateSide)
{
    struct Case {
        int height, length;
        std::vector<Expected> list;
    };
    const Case cases[] = {
        {10,
         10,
         {{1, 5, 5, 0, 0, 75, -1, -1}, {2, 5, 10, 1, 0, 50, 0, 0}, {3, 10, 5, 2, 0, 50, 0, 0}}},
        {9, 10, {{1, 5, 5, 0, 0, 65, -1, -1}, {2, 5, 10, 1, 0, 40, 0, 0}}},
        {10, 9, {{1, 5, 5, 0, 0, 65, -1, -1}, {2, 10, 5, 2, 0, 40, 0, 0}}},
        {9, 9, {{1, 5, 5, 0, 0, 56, -1, -1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.height) + "x" + std::to_string(c.length));
        expectList(run(makeInstance(c.height, c.length, {{5, 5, 2}}), 0.01f).patterns, c.list);
    }
}

TEST_P(Generation, InnerWasteEqualToTheLimitPasses)
{
    // 0.01 on a 10 x 10 plate gives a limit of exactly 1.
    EXPECT_EQ(wang::wasteLimit(10, 10, 0.01f), 1.0f);
    const wang::WangRun one = run(makeInstance(10, 10, {{2, 1, 1}, {1, 1, 1}}), 0.01f);
    expectList(one.patterns, {{1, 2, 1, 0, 0, 98, -1, -1},
                              {2, 1, 1, 0, 0, 99, -1, -1},
                              {3, 2, 2, 1, 1, 97, 0, 1},
                              {4, 3, 1, 2, 0, 97, 0, 1}});
    const wang::WangRun two = run(makeInstance(10, 10, {{3, 1, 1}, {1, 1, 1}}), 0.01f);
    expectList(
        two.patterns,
        {{1, 3, 1, 0, 0, 97, -1, -1}, {2, 1, 1, 0, 0, 99, -1, -1}, {3, 4, 1, 2, 0, 96, 0, 1}});
}

TEST_P(Generation, PieceLargerThanThePlateCanBeTheBest)
{
    const wang::WangRun result = run(makeInstance(10, 10, {{20, 20, 1}, {5, 5, 4}}), 0.01f);
    EXPECT_EQ(result.best, 0u);
    EXPECT_EQ(result.patterns[0].totalWaste, -300);
    EXPECT_EQ(result.bestArea, 400);
    EXPECT_EQ(result.loss, -300.0f);
    for (const wang::TPattern& record : result.patterns)
        EXPECT_NE(record.first, 0) << "the large piece joins nothing";
}

TEST_P(Generation, RefusesInstancesItCannotRunOn)
{
    struct Case {
        const char* name;
        problem::TInstance instance;
        wang::WangFailure failure;
    };
    problem::TInstance tooMany = makeInstance(10, 10, {{5, 5, 1}});
    tooMany.pieceCount = problem::maxPieceTypes + 1;
    problem::TInstance negativeCount = makeInstance(10, 10, {{5, 5, 1}});
    negativeCount.pieceCount = -2;
    const Case cases[] = {
        {"no piece types", makeInstance(10, 10, {}), wang::WangFailure::NoPieceTypes},
        {"negative count", negativeCount, wang::WangFailure::NoPieceTypes},
        {"too many types", tooMany, wang::WangFailure::TooManyPieceTypes},
        {"zero height", makeInstance(10, 10, {{5, 5, 1}, {0, 3, 2}}),
         wang::WangFailure::ZeroDimension},
        {"negative length", makeInstance(10, 10, {{5, -5, 1}}), wang::WangFailure::ZeroDimension},
        {"zero plate", makeInstance(0, 10, {{5, 5, 1}}), wang::WangFailure::PlateDimension},
        {"plate area", makeInstance(50000, 50000, {{5, 5, 1}}), wang::WangFailure::AreaTooLarge},
        {"piece area", makeInstance(10, 10, {{70000, 70000, 1}}), wang::WangFailure::AreaTooLarge},
    };
    for (const Case& c : cases) {
        const auto result = GetParam().run(c.instance, 0.01f, {});
        ASSERT_FALSE(result.has_value()) << c.name;
        EXPECT_EQ(result.error(), c.failure) << c.name;
    }
}

TEST_P(Generation, StopsAtThePatternLimit)
{
    wang::WangOptions options;
    options.patternLimit = 3;
    const auto stopped = GetParam().run(makeInstance(10, 10, {{5, 5, 4}}), 0.01f, options);
    ASSERT_FALSE(stopped.has_value());
    EXPECT_EQ(stopped.error(), wang::WangFailure::TooManyPatterns);
    options.patternLimit = 4;
    EXPECT_TRUE(GetParam().run(makeInstance(10, 10, {{5, 5, 4}}), 0.01f, options).has_value());
}

TEST_P(Generation, StopsBeforePassingTheMemoryLimit)
{
    const problem::TInstance instance = makeInstance(10, 15, {{5, 5, 3}, {4, 7, 2}, {3, 2, 4}});
    const auto whole = GetParam().run(instance, 0.05f, {});
    ASSERT_TRUE(whole.has_value());
    {
        // The process holds more than this before the first pass, so the first pass stops.
        const ScopedMemoryLimit limit(4096);
        const auto stopped = GetParam().run(instance, 0.05f, {});
        ASSERT_FALSE(stopped.has_value());
        EXPECT_EQ(stopped.error(), wang::WangFailure::MemoryLimit);
        EXPECT_EQ(stopped.error().reach.pass, 1);
        EXPECT_EQ(stopped.error().reach.patternsKept, 3);
        EXPECT_EQ(stopped.error().reach.memoryLimit, 4096u);
        EXPECT_EQ(wang::failureMessage(stopped.error()),
                  "A geração parou no passo 1, com 3 padrões guardados, para não passar do "
                  "limite de memória de 4096 bytes; use um Beta menor.");
    }
    // Nothing of the stopped run is left to change a later one.
    const auto again = GetParam().run(instance, 0.05f, {});
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->patterns, whole->patterns);
    EXPECT_EQ(again->counts, whole->counts);
}

TEST_P(Generation, PartsSharedManyTimesAreCountedInFull)
{
    // Unit squares double up to the whole plate; the best tree reuses each part twice.
    const wang::WangRun result = run(makeInstance(16, 16, {{1, 1, 256}}), 0.0f);
    EXPECT_EQ(result.bestArea, 256);
    EXPECT_EQ(result.counts[0], 256);
    EXPECT_EQ(result.loss, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Engines, Generation,
                         testing::Values(Engine{"Fast", wang::runWang},
                                         Engine{"Reference", wang::runWangReference}),
                         [](const testing::TestParamInfo<Engine>& info) {
                             return std::string(info.param.name);
                         });

TEST(WangFailureMessage, EveryFailureHasItsOwnText)
{
    const wang::WangFailure all[] = {
        wang::WangFailure::NoPieceTypes,    wang::WangFailure::TooManyPieceTypes,
        wang::WangFailure::ZeroDimension,   wang::WangFailure::PlateDimension,
        wang::WangFailure::AreaTooLarge,    wang::WangFailure::OutOfMemory,
        wang::WangFailure::TooManyPatterns, wang::WangFailure::TimeLimit,
        wang::WangFailure::MemoryLimit};
    std::set<std::string> texts;
    for (const wang::WangFailure failure : all)
        texts.insert(wang::failureMessage(failure));
    EXPECT_EQ(texts.size(), std::size(all));
    EXPECT_EQ(wang::failureMessage(wang::WangFailure::NoPieceTypes),
              "O problema não tem tipos de peças.");
}

TEST(WangFailureMessage, OnlyTheMemoryLimitTellsHowFarTheRunGot)
{
    const wang::GenerationReach reach{7, 1234567, std::uint64_t{3} << 30};
    EXPECT_EQ(wang::failureMessage(wang::WangError(wang::WangFailure::MemoryLimit, reach)),
              "A geração parou no passo 7, com 1234567 padrões guardados, para não passar do "
              "limite de memória de 3072 MiB; use um Beta menor.");
    for (const wang::WangFailure failure :
         {wang::WangFailure::TimeLimit, wang::WangFailure::OutOfMemory,
          wang::WangFailure::TooManyPatterns, wang::WangFailure::NoPieceTypes})
        EXPECT_EQ(wang::failureMessage(wang::WangError(failure, reach)),
                  wang::failureMessage(failure));
}

} // namespace
