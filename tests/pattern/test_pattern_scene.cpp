#include "PatternScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double tolerance = 1e-6;

TInstance twoTypes(std::int32_t height, std::int32_t length) {
    TInstance instance;
    instance.plateHeight = height;
    instance.plateLength = length;
    instance.pieceCount = 2;
    instance.pieces[0] = {1, 2, 3, 5, 10};
    instance.pieces[1] = {2, 1, 1, 5, 4};
    return instance;
}

bool inside(const SceneRect& inner, const SceneRect& outer) {
    return inner.x >= outer.x - tolerance && inner.y >= outer.y - tolerance &&
           inner.x + inner.width <= outer.x + outer.width + tolerance &&
           inner.y + inner.height <= outer.y + outer.height + tolerance;
}

std::vector<std::string> textsOf(const PatternScene& scene) {
    std::vector<std::string> texts;
    for (const SceneText& text : scene.texts)
        texts.push_back(text.text);
    return texts;
}

bool has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

} // namespace

TEST(PatternScene, PlateIsDrawnToScaleAndLeavesTheLegendFree) {
    struct Case {
        std::int32_t plateHeight, plateLength;
        double width, height;
    };
    const Case cases[] = {{10, 15, 960, 640},
                          {250, 250, 400, 900},
                          {40, 70, 2000, 300},
                          {3000, 10, 800, 600},
                          {1, 4999, 640, 480}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.plateHeight) + " x " + std::to_string(c.plateLength) +
                     " on " + std::to_string(c.width) + " x " + std::to_string(c.height));
        const TInstance instance = twoTypes(c.plateHeight, c.plateLength);
        const CuttingPattern pattern{c.plateHeight, c.plateLength, {{0, 0, 0, 2, 3}}, {}};
        const PatternScene scene = buildPatternScene(pattern, instance, {}, c.width, c.height);
        const SceneRect& plate = scene.plate;
        EXPECT_TRUE(inside(plate, {0, 0, c.width, c.height}));
        EXPECT_NEAR(plate.width * c.plateHeight, plate.height * c.plateLength, 1e-6 * plate.width);
        // Scaled as large as the room allows, the legend on its right.
        const double legendLeft =
            std::min_element(scene.texts.begin() + 2, scene.texts.end(),
                             [](const SceneText& a, const SceneText& b) { return a.x < b.x; })
                ->x;
        EXPECT_LT(plate.x + plate.width, legendLeft);
        // The legend takes at most 30 % of the width; margins are at most 16.
        const bool fillsWidth = plate.x + plate.width >= 0.7 * c.width - 16 - tolerance;
        const bool fillsHeight = plate.y + plate.height >= c.height - 16 - tolerance;
        EXPECT_TRUE(fillsWidth || fillsHeight);
        ASSERT_EQ(scene.pieces.size(), 1u);
        EXPECT_NEAR(scene.pieces[0].rect.width / plate.width, 3.0 / c.plateLength, 1e-9);
        EXPECT_NEAR(scene.pieces[0].rect.height / plate.height, 2.0 / c.plateHeight, 1e-9);
    }
}

TEST(PatternScene, PiecesCarryTheirTypeWhenTheyHaveRoom) {
    struct Case {
        const char* name;
        std::int32_t plateSide;
        bool labelled;
    };
    const Case cases[] = {{"large piece", 4, true}, {"tiny piece", 4000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TInstance instance = twoTypes(c.plateSide, c.plateSide);
        const CuttingPattern pattern{c.plateSide, c.plateSide, {{1, 1, 1, 1, 1}}, {}};
        const PatternScene scene = buildPatternScene(pattern, instance, {}, 960, 640);
        ASSERT_EQ(scene.pieces.size(), 1u);
        const ScenePiece& drawn = scene.pieces[0];
        EXPECT_EQ(drawn.label, "2");
        EXPECT_EQ(drawn.colour, typeColour(1));
        EXPECT_EQ(drawn.labelSize > 0, c.labelled);
        EXPECT_LE(drawn.labelSize, drawn.rect.height);
        EXPECT_TRUE(inside(drawn.rect, scene.plate));
    }
}

TEST(PatternScene, LegendCountsTypesAndRepeatsTheRunLines) {
    const TInstance instance = twoTypes(10, 10);
    struct Case {
        const char* name;
        std::vector<PlacedPiece> pieces;
        std::vector<std::string> present, absent;
    };
    const std::vector<Case> cases = {
        {"two of the second type",
         {{1, 0, 0, 1, 1}, {1, 0, 1, 1, 1}},
         {"Peça 2: 2", "Valor total = 8", "Área usada = 2", "Perda = 98 %"},
         {"Peça 1: 0", "Nenhuma peça"}},
        {"one of each",
         {{0, 0, 0, 2, 3}, {1, 2, 0, 1, 1}},
         {"Peça 1: 1", "Peça 2: 1", "Valor total = 14", "Área usada = 7"},
         {"Nenhuma peça"}},
        {"nothing cut",
         {},
         {"Nenhuma peça", "Valor total = 0", "Área usada = 0", "W = 10", "H = 10"},
         {"Peça 1: 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CuttingPattern pattern{10, 10, c.pieces, {}};
        const auto texts =
            textsOf(buildPatternScene(pattern, instance, {"Perda = 98 %"}, 960, 640));
        for (const std::string& text : c.present)
            EXPECT_TRUE(has(texts, text)) << text;
        for (const std::string& text : c.absent)
            EXPECT_FALSE(has(texts, text)) << text;
    }
}

TEST(PatternScene, CutsKeepTheirOrderAndFirstStageIsHeavier) {
    const TInstance instance = twoTypes(10, 10);
    const CuttingPattern pattern{10, 10, {}, {{5, 0, 5, 10, 1}, {0, 5, 5, 5, 2}, {5, 5, 10, 5, 3}}};
    const PatternScene scene = buildPatternScene(pattern, instance, {}, 960, 640);
    ASSERT_EQ(scene.cuts.size(), 3u);
    for (std::size_t i = 0; i < scene.cuts.size(); ++i)
        EXPECT_EQ(scene.cuts[i].stage, pattern.cuts[i].stage);
    EXPECT_GT(scene.cuts[0].width, scene.cuts[1].width);
    EXPECT_NEAR(scene.cuts[0].y1, scene.plate.y + scene.plate.height / 2, tolerance);
    EXPECT_NEAR(scene.cuts[0].x2, scene.plate.x + scene.plate.width, tolerance);
    EXPECT_NEAR(scene.cuts[1].x1, scene.plate.x + scene.plate.width / 2, tolerance);
}

TEST(PatternScene, TypeColoursStayApart) {
    for (int a = 0; a < maxPieceTypes; ++a)
        for (int b = a + 1; b < maxPieceTypes; ++b)
            EXPECT_NE(typeColour(a), typeColour(b)) << a << " and " << b;
}

TEST(PatternScene, DrawingRepeatsTheLossAndOptimumOfTheSummary) {
    const std::vector<std::string> summary = {"Área ótima = 100", "", "Perda = 0 %", "",
                                              "Tempo: <1s"};
    EXPECT_EQ(summaryLinesForDrawing(summary),
              (std::vector<std::string>{"Área ótima = 100", "Perda = 0 %"}));
}
