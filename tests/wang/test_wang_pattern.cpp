#include "wang/WangPattern.h"

#include <gtest/gtest.h>

namespace {

problem::TInstance plateWith(std::int32_t height, std::int32_t length,
                             std::initializer_list<std::pair<std::int32_t, std::int32_t>> pieces)
{
    problem::TInstance instance;
    instance.plateHeight = height;
    instance.plateLength = length;
    for (const auto& [h, l] : pieces) {
        instance.pieces[static_cast<std::size_t>(instance.pieceCount)] = {instance.pieceCount + 1,
                                                                          h, l, 1, h * l};
        ++instance.pieceCount;
    }
    return instance;
}

wang::TPattern piece(std::int32_t id, std::int32_t height, std::int32_t length)
{
    return {id, height, length, wang::kindPiece, 0, 0, wang::noPart, wang::noPart};
}

wang::TPattern build(std::int32_t id, std::int32_t kind, std::int32_t height, std::int32_t length,
                     std::int32_t first, std::int32_t second)
{
    return {id, height, length, kind, 0, 0, first, second};
}

struct TreeCase {
    const char* name;
    problem::TInstance instance;
    std::vector<wang::TPattern> patterns;
    std::size_t root;
    std::vector<pattern::PlacedPiece> pieces;
    std::vector<pattern::PatternCut> cuts;
};

} // namespace

TEST(WangPattern, PlacesTreesWithTheirCutsInOrder)
{
    // The worked example's best record: two rows of two 5 x 5 pieces.
    const std::vector<wang::TPattern> square = {
        piece(1, 5, 5), build(2, wang::kindHorizontal, 5, 10, 0, 0),
        build(3, wang::kindVertical, 10, 5, 0, 0), build(6, wang::kindVertical, 10, 10, 1, 1)};
    // A 4 x 3 piece left of a 2 x 5 piece, on a 6 x 10 plate:
    //   AAA#####..
    //   AAA#####..
    //   AAA-----..
    //   AAA.....-.
    //   ----------
    const std::vector<wang::TPattern> sideBySide = {piece(1, 4, 3), piece(2, 2, 5),
                                                    build(3, wang::kindHorizontal, 4, 8, 0, 1)};
    // A 2 x 6 piece above a 3 x 4 piece, filling the plate's height.
    const std::vector<wang::TPattern> stacked = {piece(1, 2, 6), piece(2, 3, 4),
                                                 build(3, wang::kindVertical, 5, 6, 0, 1)};
    const std::vector<TreeCase> cases = {
        {"square",
         plateWith(10, 10, {{5, 5}}),
         square,
         3,
         {{0, 0, 0, 5, 5}, {0, 0, 5, 5, 5}, {0, 5, 0, 5, 5}, {0, 5, 5, 5, 5}},
         {{5, 0, 5, 10, 1}, {0, 5, 5, 5, 2}, {5, 5, 10, 5, 2}}},
        {"side by side, shorter second part",
         plateWith(6, 10, {{4, 3}, {2, 5}}),
         sideBySide,
         2,
         {{0, 0, 0, 4, 3}, {1, 0, 3, 2, 5}},
         {{4, 0, 4, 10, 1}, {0, 8, 4, 8, 2}, {0, 3, 4, 3, 2}, {2, 3, 2, 8, 3}}},
        {"stacked, narrower second part",
         plateWith(5, 9, {{2, 6}, {3, 4}}),
         stacked,
         2,
         {{0, 0, 0, 2, 6}, {1, 2, 0, 3, 4}},
         {{0, 6, 5, 6, 1}, {2, 0, 2, 6, 2}, {2, 4, 5, 4, 3}}},
        {"a single piece trimmed from the plate",
         plateWith(7, 7, {{3, 4}}),
         {piece(1, 3, 4)},
         0,
         {{0, 0, 0, 3, 4}},
         {{3, 0, 3, 7, 1}, {0, 4, 3, 4, 2}}},
        {"no best record: the empty plate", plateWith(7, 7, {{3, 4}}), {piece(1, 3, 4)}, 1, {}, {}},
    };
    for (const TreeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const pattern::CuttingPattern pattern =
            wang::wangCuttingPattern(c.patterns, c.root, c.instance);
        EXPECT_EQ(pattern.plateHeight, c.instance.plateHeight);
        EXPECT_EQ(pattern.plateLength, c.instance.plateLength);
        EXPECT_EQ(pattern.pieces, c.pieces);
        EXPECT_EQ(pattern.cuts, c.cuts);
        EXPECT_EQ(pattern::findPatternFault(pattern, c.instance), std::nullopt);
    }
}
