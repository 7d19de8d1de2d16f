#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "andor/PatternOfLayout.h"
#include "pattern/CuttingPattern.h"
#include "support/AndOrTestSupport.h"

namespace {

// Plate 4 x 6, types 2 x 3 (A) and 2 x 2 (B):
//   AAABB.
//   AAABB.
//   AAAAAA
//   AAAAAA
problem::TInstance smallPlate()
{
    return makeInstance(4, 6, {{2, 3, 5, 9}, {2, 2, 3, 9}});
}

pattern::CuttingPattern soundPattern()
{
    pattern::CuttingPattern pattern;
    pattern.plateHeight = 4;
    pattern.plateLength = 6;
    pattern.pieces = {{0, 0, 0, 2, 3}, {1, 0, 3, 2, 2}, {0, 2, 0, 2, 3}, {0, 2, 3, 2, 3}};
    pattern.cuts = {{2, 0, 2, 6, 1}, {0, 3, 2, 3, 2}, {0, 5, 2, 5, 2}, {2, 3, 4, 3, 2}};
    return pattern;
}

struct FaultCase {
    const char* name;
    pattern::CuttingPattern pattern;
    std::optional<std::string> fault;
};

pattern::CuttingPattern changed(void (*change)(pattern::CuttingPattern&))
{
    pattern::CuttingPattern pattern = soundPattern();
    change(pattern);
    return pattern;
}

TEST(CuttingPatternCheck, FindsEachKindOfFault)
{
    const FaultCase cases[] = {
        {"sound", soundPattern(), std::nullopt},
        {"unknown type", changed([](pattern::CuttingPattern& p) { p.pieces[1].type = 2; }),
         "piece 1 has no valid type"},
        {"wrong size", changed([](pattern::CuttingPattern& p) { p.pieces[1].length = 3; }),
         "piece 1 does not have its type's size"},
        {"outside", changed([](pattern::CuttingPattern& p) { p.pieces[1].left = 5; }),
         "piece 1 lies outside the plate"},
        {"overlap", changed([](pattern::CuttingPattern& p) { p.pieces[3].left = 2; }),
         "pieces overlap at (2, 2)"},
        {"cut not spanning its rectangle",
         changed([](pattern::CuttingPattern& p) { p.cuts[1].bottom = 4; }),
         "cut 1 is not a full segment of a rectangle of the pattern"},
        {"cut through a piece",
         changed([](pattern::CuttingPattern& p) { p.cuts[3].left = p.cuts[3].right = 2; }),
         "cut 3: a cut at 2 crosses a piece"},
        {"slanted cut", changed([](pattern::CuttingPattern& p) { p.cuts[0].bottom = 3; }),
         "cut 0 is neither horizontal nor vertical"},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pattern::findPatternFault(c.pattern, smallPlate()), c.fault);
    }
}

TEST(CuttingPatternCheck, RefusesAPinwheel)
{
    // Four 1 x 2 / 2 x 1 pieces around a hole: no full-span line separates them.
    //   AAB
    //   C.B
    //   CDD
    const problem::TInstance instance = makeInstance(3, 3, {{1, 2, 1, 9}, {2, 1, 1, 9}});
    pattern::CuttingPattern pattern;
    pattern.plateHeight = pattern.plateLength = 3;
    pattern.pieces = {{0, 0, 0, 1, 2}, {1, 0, 2, 2, 1}, {1, 1, 0, 2, 1}, {0, 2, 1, 1, 2}};
    EXPECT_EQ(pattern::findPatternFault(pattern, instance),
              "the pieces are not guillotine-separable");
}

TEST(CuttingPatternOfLayout, LaysBlocksRowByRowWithTheirCuts)
{
    // Plate 4 x 6 cut at height 2 (stage 1); the top is a block of one A piece, cut off
    // the waste at length 3, the bottom a block of two B pieces cut at 2 and 4 (stage 2):
    //   AAA...
    //   AAA...
    //   BBBB..
    //   BBBB..
    andor::CutLayout layout;
    layout.nodes = {
        {4, 6, andor::LayoutKind::HeightCut, 2, 1, 2},
        {2, 6, andor::LayoutKind::Block, 0, -1, -1, 0, 1, 1, 1},
        {2, 6, andor::LayoutKind::Block, 0, -1, -1, 1, 1, 2, 2},
    };
    const pattern::CuttingPattern pattern = andor::cuttingPatternOf(layout, smallPlate());
    const std::vector<pattern::PlacedPiece> pieces = {
        {0, 0, 0, 2, 3}, {1, 2, 0, 2, 2}, {1, 2, 2, 2, 2}};
    const std::vector<pattern::PatternCut> cuts = {
        {2, 0, 2, 6, 1}, {0, 3, 2, 3, 2}, {2, 2, 4, 2, 2}, {2, 4, 4, 4, 2}};
    EXPECT_EQ(pattern.pieces, pieces);
    EXPECT_EQ(pattern.cuts, cuts);
    EXPECT_EQ(pattern::findPatternFault(pattern, smallPlate()), std::nullopt);
}

} // namespace
