// The geometry behind every drawing, checked on generated instances for both methods: the
// pattern is sound and shows exactly what the report counts.
#include "andor/AndOrReport.h"
#include "andor/AndOrRun.h"
#include "andor/PatternOfLayout.h"
#include "pattern/PatternScene.h"
#include "support/AndOrTestSupport.h"
#include "wang/BestPattern.h"
#include "wang/WangPattern.h"
#include "wang/WangRun.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int instancesPerMethod = 40;

problem::TInstance generated(unsigned seed, bool valuesAreAreas)
{
    std::mt19937 random(seed);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    problem::TInstance instance;
    instance.plateHeight = between(6, 30);
    instance.plateLength = between(6, 30);
    instance.pieceCount = between(1, 6);
    for (int i = 0; i < instance.pieceCount; ++i) {
        problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        piece.id = i + 1;
        piece.height = between(1, instance.plateHeight);
        piece.length = between(1, instance.plateLength);
        piece.demand = between(1, 4);
        piece.value = valuesAreAreas ? piece.height * piece.length
                                     : between(1, 2 * piece.height * piece.length);
    }
    return instance;
}

std::array<std::int32_t, problem::maxPieceTypes> countsOf(const pattern::CuttingPattern& pattern)
{
    std::array<std::int32_t, problem::maxPieceTypes> counts{};
    for (const pattern::PlacedPiece& piece : pattern.pieces)
        ++counts[static_cast<std::size_t>(piece.type)];
    return counts;
}

std::int64_t coveredAreaOf(const pattern::CuttingPattern& pattern)
{
    std::int64_t area = 0;
    for (const pattern::PlacedPiece& piece : pattern.pieces)
        area += std::int64_t{piece.height} * piece.length;
    return area;
}

bool overlap(const pattern::SceneRect& a, const pattern::SceneRect& b)
{
    const double eps = 1e-6;
    return a.x + eps < b.x + b.width && b.x + eps < a.x + a.width && a.y + eps < b.y + b.height &&
           b.y + eps < a.y + a.height;
}

// The drawn rectangles keep the pattern's geometry: inside the plate and apart.
void expectSoundScene(const pattern::CuttingPattern& pattern, const problem::TInstance& instance)
{
    const pattern::PatternScene scene = pattern::buildPatternScene(pattern, instance, {}, 800, 500);
    ASSERT_EQ(scene.pieces.size(), pattern.pieces.size());
    const pattern::SceneRect& plate = scene.plate;
    for (std::size_t i = 0; i < scene.pieces.size(); ++i) {
        const pattern::SceneRect& r = scene.pieces[i].rect;
        EXPECT_GE(r.x, plate.x - 1e-6);
        EXPECT_GE(r.y, plate.y - 1e-6);
        EXPECT_LE(r.x + r.width, plate.x + plate.width + 1e-6);
        EXPECT_LE(r.y + r.height, plate.y + plate.height + 1e-6);
        for (std::size_t j = i + 1; j < scene.pieces.size(); ++j)
            EXPECT_FALSE(overlap(r, scene.pieces[j].rect)) << "pieces " << i << " and " << j;
    }
    EXPECT_EQ(scene.cuts.size(), pattern.cuts.size());
}

} // namespace

TEST(DrawnPatterns, AndOrPatternsMatchTheirReports)
{
    andor::SolverSettings settings;
    settings.depthLimit = 4;
    for (unsigned seed = 1; seed <= instancesPerMethod; ++seed) {
        const problem::TInstance instance = generated(seed, false);
        for (andor::ProblemKind kind :
             {andor::ProblemKind::Unconstrained, andor::ProblemKind::Constrained}) {
            SCOPED_TRACE(
                "seed " + std::to_string(seed) + ": " + describe(instance) +
                (kind == andor::ProblemKind::Constrained ? " constrained" : " unconstrained"));
            const auto run = andor::runAndOr(instance, kind, settings);
            ASSERT_TRUE(run.has_value());
            const pattern::CuttingPattern pattern = andor::cuttingPatternOf(run->layout, instance);
            EXPECT_EQ(pattern::findPatternFault(pattern, instance), std::nullopt);
            EXPECT_EQ(countsOf(pattern), run->counts);
            EXPECT_EQ(static_cast<float>(coveredAreaOf(pattern)),
                      andor::usedAreaOf(instance, run->counts));
            expectSoundScene(pattern, instance);
        }
    }
}

TEST(DrawnPatterns, WangPatternsMatchTheirReports)
{
    wang::WangOptions options;
    options.patternLimit = 200000; // a generated instance must stay quick
    int drawn = 0;
    for (unsigned seed = 1; seed <= instancesPerMethod; ++seed) {
        const problem::TInstance instance = generated(seed, true);
        for (float beta : {0.0f, 0.05f, 0.2f}) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ": " + describe(instance) + " beta " +
                         std::to_string(beta));
            const auto run = wang::runWang(instance, beta, options);
            if (!run && run.error() == wang::WangFailure::TooManyPatterns)
                continue;
            ASSERT_TRUE(run.has_value());
            const pattern::CuttingPattern pattern =
                wang::wangCuttingPattern(run->patterns, run->best, instance);
            EXPECT_EQ(pattern::findPatternFault(pattern, instance), std::nullopt);
            EXPECT_EQ(countsOf(pattern), run->counts);
            EXPECT_EQ(coveredAreaOf(pattern), run->bestArea);
            expectSoundScene(pattern, instance);
            ++drawn;
        }
    }
    // Most generated instances must really be drawn, not skipped.
    EXPECT_GT(drawn, instancesPerMethod * 2);
}
