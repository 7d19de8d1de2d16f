#include "pattern/PatternScene.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr double tolerance = 1e-6;

problem::TInstance twoTypes(std::int32_t height, std::int32_t length)
{
    problem::TInstance instance{"", height, length, 2, {}};
    instance.pieces[0] = {1, 2, 3, 5, 10};
    instance.pieces[1] = {2, 1, 1, 5, 4};
    return instance;
}

} // namespace

TEST(PatternScene, PlateIsDrawnToScaleBesideTheLegend)
{
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
        const pattern::CuttingPattern pattern{c.plateHeight, c.plateLength, {{0, 0, 0, 2, 3}}, {}};
        const pattern::PatternScene scene = pattern::buildPatternScene(
            pattern, twoTypes(c.plateHeight, c.plateLength), {}, c.width, c.height);
        const pattern::SceneRect& plate = scene.plate;
        EXPECT_GE(plate.x, 0);
        EXPECT_GE(plate.y, 0);
        EXPECT_LE(plate.y + plate.height, c.height);
        EXPECT_NEAR(plate.width * c.plateHeight, plate.height * c.plateLength, 1e-6 * plate.width);
        // As large as the room allows: the legend takes at most 30 % of the width, margins 16.
        EXPECT_TRUE(plate.x + plate.width >= 0.7 * c.width - 16 - tolerance ||
                    plate.y + plate.height >= c.height - 16 - tolerance);
        for (const pattern::SceneText& text : scene.texts) {
            if (!text.vertical && text.anchor == pattern::TextAnchor::Start) {
                EXPECT_GT(text.x, plate.x + plate.width) << text.text;
            }
        }
        ASSERT_EQ(scene.pieces.size(), 1u);
        EXPECT_NEAR(scene.pieces[0].rect.width / plate.width, 3.0 / c.plateLength, 1e-9);
        EXPECT_NEAR(scene.pieces[0].rect.height / plate.height, 2.0 / c.plateHeight, 1e-9);
        EXPECT_EQ(scene.pieces[0].colour, pattern::typeColour(0));
        // Only a piece with room for it carries its type's number.
        const pattern::SceneRect& piece = scene.pieces[0].rect;
        if (std::min(piece.width, piece.height) < 3) {
            EXPECT_EQ(scene.pieces[0].labelSize, 0);
        }
        if (std::min(piece.width, piece.height) > 40) {
            EXPECT_GT(scene.pieces[0].labelSize, 0);
        }
    }
}

TEST(PatternScene, LegendCountsTypesAndRepeatsTheRunLines)
{
    struct Case {
        const char* name;
        std::vector<pattern::PlacedPiece> pieces;
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
        const pattern::CuttingPattern pattern{10, 10, c.pieces, {}};
        std::vector<std::string> texts;
        for (const pattern::SceneText& text :
             pattern::buildPatternScene(pattern, twoTypes(10, 10), {"Perda = 98 %"}, 960, 640)
                 .texts)
            texts.push_back(text.text);
        for (const std::string& text : c.present)
            EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
        for (const std::string& text : c.absent)
            EXPECT_EQ(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    }
}

TEST(PatternScene, CutsKeepTheirOrderAndFirstStageIsHeavier)
{
    const pattern::CuttingPattern pattern{
        10, 10, {}, {{5, 0, 5, 10, 1}, {0, 5, 5, 5, 2}, {5, 5, 10, 5, 3}}};
    const pattern::PatternScene scene =
        pattern::buildPatternScene(pattern, twoTypes(10, 10), {}, 960, 640);
    ASSERT_EQ(scene.cuts.size(), 3u);
    for (std::size_t i = 0; i < scene.cuts.size(); ++i)
        EXPECT_EQ(scene.cuts[i].stage, pattern.cuts[i].stage);
    EXPECT_GT(scene.cuts[0].width, scene.cuts[1].width);
    EXPECT_NEAR(scene.cuts[0].y1, scene.plate.y + scene.plate.height / 2, tolerance);
    EXPECT_NEAR(scene.cuts[0].x2, scene.plate.x + scene.plate.width, tolerance);
    EXPECT_NEAR(scene.cuts[1].x1, scene.plate.x + scene.plate.width / 2, tolerance);
}
