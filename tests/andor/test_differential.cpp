#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "andor/AndOrRun.h"
#include "andor/PatternOfLayout.h"
#include "pattern/CuttingPattern.h"
#include "problem/BiFile.h"
#include "support/AndOrTestSupport.h"
#include "support/EngineComparison.h"

namespace {

struct GeneratedCase {
    problem::TInstance instance;
    andor::ProblemKind kind = andor::ProblemKind::Unconstrained;
    andor::SolverSettings settings;
};

// Small plates keep the direct engine quick at depth 4; sizes, values and demands vary
// enough to reach ties, rebuilt sets, heuristic discards and pieces that do not fit.
GeneratedCase generate(std::uint32_t seed)
{
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    GeneratedCase c;
    c.settings.depthLimit = pick(0, 4);
    const int sides[] = {30, 28, 24, 20, 16};
    const int side = sides[c.settings.depthLimit];
    c.instance.plateHeight = pick(side / 2, side);
    c.instance.plateLength = pick(side / 2, side);
    c.instance.pieceCount = pick(1, 6);
    for (int i = 0; i < c.instance.pieceCount; ++i) {
        problem::TPieceType& piece = c.instance.pieces[static_cast<std::size_t>(i)];
        // Mostly pieces of up to half the plate, now and then one that does not fit.
        const int tall = pick(0, 7) == 0 ? c.instance.plateHeight + 1 : c.instance.plateHeight / 2;
        const int wide = pick(0, 7) == 0 ? c.instance.plateLength + 1 : c.instance.plateLength / 2;
        piece = {i + 1, pick(1, tall), pick(1, wide), pick(0, 4), pick(1, 40)};
    }
    c.kind = pick(0, 1) == 0 ? andor::ProblemKind::Unconstrained : andor::ProblemKind::Constrained;
    const int capacities[] = {1, 3, 5, 8, 100, 100, 100, 100};
    c.settings.setCapacity = capacities[pick(0, 7)];
    c.settings.symmetryOn = pick(0, 3) == 0;
    c.settings.heuristicsOn = pick(0, 1) == 1;
    const double lambdas1[] = {0.0, 0.1, 0.3, 1.0};
    const double lambdas2[] = {0.0, 0.5, 0.95, 1.5};
    c.settings.lambda1 = lambdas1[pick(0, 3)];
    c.settings.lambda2 = lambdas2[pick(0, 3)];
    return c;
}

std::string replay(std::uint32_t seed, const GeneratedCase& c)
{
    return "seed " + std::to_string(seed) + ", " +
           (c.kind == andor::ProblemKind::Constrained ? "constrained" : "unconstrained") +
           ", depth " + std::to_string(c.settings.depthLimit) + ", capacity " +
           std::to_string(c.settings.setCapacity) + (c.settings.symmetryOn ? ", symmetry" : "") +
           (c.settings.heuristicsOn ? ", heuristics " + std::to_string(c.settings.lambda1) + " " +
                                          std::to_string(c.settings.lambda2)
                                    : "") +
           ", plate " + describe(c.instance);
}

// The direct run and the fast one both as the program runs it, skipping pairs by their
// ceilings, and while counting nodes.
struct Runs {
    RunResult direct;
    RunResult skipping;
    RunResult counting;
};

Runs runEngines(const problem::TInstance& instance, andor::ProblemKind kind,
                const andor::SolverSettings& settings)
{
    return {andor::runAndOrReference(instance, kind, settings),
            andor::runAndOr(instance, kind, settings, andor::NodeCounting::Skip),
            andor::runAndOr(instance, kind, settings, andor::NodeCounting::Count)};
}

// Both fast runs give the direct run's result, or its failure.
void expectSameRuns(const Runs& runs, const problem::TInstance& instance)
{
    for (const auto* fast : {&runs.skipping, &runs.counting})
        expectSameRun(*fast, runs.direct, instance);
    if (runs.counting) {
        EXPECT_TRUE(runs.counting->nodesExamined.has_value());
    }
}

TEST(AndOrDifferential, FastEngineMatchesTheDirectOne)
{
    constexpr std::uint32_t firstSeed = 20240601;
    constexpr int caseCount = 2500;
    int compared = 0;
    for (std::uint32_t seed = firstSeed; seed < firstSeed + caseCount; ++seed) {
        const GeneratedCase c = generate(seed);
        SCOPED_TRACE(replay(seed, c));
        const Runs runs = runEngines(c.instance, c.kind, c.settings);
        expectSameRuns(runs, c.instance);
        if (runs.direct)
            ++compared;
        if (HasFailure())
            return; // the first failing seed is the one to replay
    }
    // Enough runs must get past the set builders for the comparison to mean something.
    EXPECT_GE(compared, 1800);
}

// Constrained runs with demands from none to more than fit: the fast engine lets one solved
// state serve every remaining demand that agrees with it as far as the state reads, and these
// reach that reading through every path (fillings, greedy bounds, heuristic tests, parts
// solved after pieces were taken).
GeneratedCase generateWithDemands(std::uint32_t seed)
{
    GeneratedCase c = generate(seed);
    std::mt19937 random(seed ^ 0x5DEECE66u);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    c.kind = andor::ProblemKind::Constrained;
    c.settings.depthLimit = pick(2, 4);
    c.settings.heuristicsOn = seed % 2 != 0;
    c.instance.plateHeight = pick(10, 22);
    c.instance.plateLength = pick(10, 22);
    c.instance.pieceCount = pick(3, 8);
    for (int i = 0; i < c.instance.pieceCount; ++i) {
        problem::TPieceType& piece = c.instance.pieces[static_cast<std::size_t>(i)];
        const int demand = pick(0, 2) == 0 ? pick(5, 60) : pick(0, 4);
        piece = {i + 1, pick(1, c.instance.plateHeight / 2), pick(1, c.instance.plateLength / 2),
                 demand, pick(1, 60)};
    }
    // A demand beyond 16 bits makes the engine keep its counts in 32 bits.
    if (seed % 7 == 0)
        c.instance.pieces[0].demand = 70000;
    // A piece of negative value is never worth placing, but is still valued and bounded.
    if (seed % 5 == 0)
        c.instance.pieces[static_cast<std::size_t>(c.instance.pieceCount - 1)].value = -pick(1, 60);
    return c;
}

// Both engines on the cases make(seed) gives for count seeds from firstSeed; stops at the
// first failing seed, the one to replay.
template <typename Make> void compareEngines(std::uint32_t firstSeed, int count, Make make)
{
    for (std::uint32_t seed = firstSeed; seed < firstSeed + static_cast<std::uint32_t>(count);
         ++seed) {
        const GeneratedCase c = make(seed);
        SCOPED_TRACE(replay(seed, c));
        expectSameRuns(runEngines(c.instance, c.kind, c.settings), c.instance);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(AndOrDifferential, SharedStatesServeEveryDemandTheyMatch)
{
    compareEngines(77000, 2000, generateWithDemands);
}

// Sides that add up to side (at least 4): side split in two, and one of the two split again
// where it can be. No side is 1, which would fill any rectangle exactly by itself.
std::vector<int> splitSides(int side, std::mt19937& random)
{
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int first = pick(2, side - 2);
    std::vector<int> sides = {first, side - first};
    const int again = sides[static_cast<std::size_t>(pick(0, 1))];
    if (again >= 4) {
        const int part = pick(2, again - 2);
        sides.push_back(part);
        sides.push_back(again - part);
    }
    return sides;
}

// Instances made to tie: values equal to the areas (times one factor), so that every pattern
// that covers the same area is worth the same; types of one size repeated; sides that add up
// to other types' sides and to the plate's, so that many patterns cover the plate exactly.
// The tie rule alone then decides which one a run keeps: the first cut position, the first
// type of a filling, the first pair of a node.
GeneratedCase generateWithTies(std::uint32_t seed)
{
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto any = [&](const std::vector<int>& from) {
        return from[static_cast<std::size_t>(pick(0, static_cast<int>(from.size()) - 1))];
    };
    GeneratedCase c;
    c.kind = seed % 2 == 0 ? andor::ProblemKind::Unconstrained : andor::ProblemKind::Constrained;
    c.settings.depthLimit = pick(1, 4);
    // Smaller plates deeper, where the direct search grows fast.
    const int mostSides[] = {0, 24, 22, 16, 12};
    const int most = mostSides[c.settings.depthLimit];
    c.instance.plateHeight = pick(most / 2, most);
    c.instance.plateLength = pick(most / 2, most);
    const std::vector<int> heights = splitSides(c.instance.plateHeight, random);
    const std::vector<int> lengths = splitSides(c.instance.plateLength, random);
    const int factor = std::vector<int>{1, 1, 2, 7}[static_cast<std::size_t>(pick(0, 3))];
    c.instance.pieceCount = pick(2, 6);
    // A size from the split sides, of an earlier type, or of two earlier types together.
    auto sizeOf = [&](int earlierTypes) -> std::pair<int, int> {
        const int height = any(heights), length = any(lengths);
        if (earlierTypes == 0)
            return {height, length};
        const auto earlier = [&] {
            return c.instance.pieces[static_cast<std::size_t>(pick(0, earlierTypes - 1))];
        };
        const problem::TPieceType one = earlier(), two = earlier();
        switch (pick(0, 3)) {
        case 0:
            return {one.height, one.length};
        case 1: // one above the other
            return {std::min(one.height + two.height, c.instance.plateHeight), one.length};
        case 2: // side by side
            return {one.height, std::min(one.length + two.length, c.instance.plateLength)};
        default:
            return {height, length};
        }
    };
    for (int i = 0; i < c.instance.pieceCount; ++i) {
        // A type that fills the whole plate by itself would settle it before any cut.
        auto [height, length] = sizeOf(i);
        for (int attempt = 0; attempt < 8 && c.instance.plateHeight % height == 0 &&
                              c.instance.plateLength % length == 0;
             ++attempt)
            std::tie(height, length) = sizeOf(i);
        const int demand = pick(0, 3) == 0 ? pick(10, 40) : pick(1, 4);
        c.instance.pieces[static_cast<std::size_t>(i)] = {i + 1, height, length, demand,
                                                          factor * height * length};
    }
    const int capacities[] = {3, 6, 100, 100, 100, 100};
    c.settings.setCapacity = capacities[pick(0, 5)];
    c.settings.symmetryOn = pick(0, 2) == 0;
    c.settings.heuristicsOn = pick(0, 1) == 1;
    const double lambdas1[] = {0.0, 0.1, 0.3};
    const double lambdas2[] = {0.0, 0.5, 0.95};
    c.settings.lambda1 = lambdas1[pick(0, 2)];
    c.settings.lambda2 = lambdas2[pick(0, 2)];
    return c;
}

TEST(AndOrDifferential, InstancesMadeToTie)
{
    constexpr std::uint32_t firstSeed = 31000;
    int cut = 0;
    for (std::uint32_t seed = firstSeed; seed < firstSeed + 4000; ++seed) {
        const GeneratedCase c = generateWithTies(seed);
        SCOPED_TRACE(replay(seed, c));
        const Runs runs = runEngines(c.instance, c.kind, c.settings);
        expectSameRuns(runs, c.instance);
        if (HasFailure())
            return; // the first failing seed is the one to replay
        cut += runs.direct && runs.direct->layout.nodes.size() > 1;
    }
    // Ties between cuts are reached only where the best pattern cuts the plate.
    EXPECT_GE(cut, 1400);
}

// Values above 2^24, where sums of two values round when kept as 32-bit floats: every bound
// that a fast path compares with such sums must hold after the rounding too.
GeneratedCase generateWithLargeValues(std::uint32_t seed)
{
    GeneratedCase c = seed % 2 == 0 ? generate(seed) : generateWithDemands(seed);
    std::mt19937 random(seed);
    for (int i = 0; i < c.instance.pieceCount; ++i) {
        problem::TPieceType& piece = c.instance.pieces[static_cast<std::size_t>(i)];
        // The whole plate filled with the type must stay within 32 bits.
        const std::int64_t rows = std::max(1, c.instance.plateHeight / piece.height);
        const std::int64_t copies = rows * std::max(1, c.instance.plateLength / piece.length);
        const std::int64_t most = std::numeric_limits<std::int32_t>::max() / copies;
        piece.value =
            static_cast<int>(std::uniform_int_distribution<std::int64_t>(most / 2, most)(random));
    }
    return c;
}

TEST(AndOrDifferential, ValuesBeyondFloatPrecision)
{
    compareEngines(90100, 600, generateWithLargeValues);
}

// 1 + 2^25 rounds to 2^25 as a float, the value of the filling, yet the pair of leaves worth
// that sum, compared unrounded, lifts the node and gives other counts.
TEST(AndOrDifferential, PairAboveItsRoundedSumStillLifts)
{
    const std::int32_t big = 1 << 25;
    // The first type fits nowhere but keeps the greedy bound above every pattern.
    const problem::TInstance instance =
        makeInstance(4, 2, {{1, 9, 2 * big, 1}, {1, 2, 1, 1}, {3, 2, big, 1}, {4, 2, big, 1}});
    andor::SolverSettings settings;
    settings.depthLimit = 1;
    const Runs runs = runEngines(instance, andor::ProblemKind::Constrained, settings);
    ASSERT_TRUE(runs.direct);
    expectSameRuns(runs, instance);
    EXPECT_EQ(runs.direct->counts[1], 1);
}

// Saturations above 16 bits: many small pieces on a large plate, with demands to match, which
// need wide counts, and with small demands, which do not.
TEST(AndOrDifferential, CountsBeyondSixteenBits)
{
    const std::vector<std::pair<std::string, problem::TInstance>> instances = {
        {"large demands",
         makeInstance(300, 280, {{1, 1, 1, 90000}, {2, 3, 7, 50000}, {7, 5, 40, 3}})},
        {"small demands",
         makeInstance(300, 281, {{1, 1, 1, 9}, {1, 2, 3, 20}, {2, 3, 7, 5}, {7, 5, 40, 3}})},
    };
    andor::SolverSettings settings;
    settings.setCapacity = 1000;
    for (const auto& [name, instance] : instances)
        for (const int depth : {1, 2}) {
            SCOPED_TRACE(name + ", depth " + std::to_string(depth));
            settings.depthLimit = depth;
            const Runs runs = runEngines(instance, andor::ProblemKind::Constrained, settings);
            ASSERT_TRUE(runs.direct);
            expectSameRuns(runs, instance);
        }
}

// Pieces far larger than the plate, areas and values at the edge of 32 bits, demands as large
// as a file can give: the bounds of the fast engine must stay upper bounds there, and the
// greedy bound keeps the 32-bit products it is defined with.
std::vector<std::pair<std::string, problem::TInstance>> extremeInstances()
{
    constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
    const auto cgcut2 =
        problem::readBiFile(std::filesystem::path(QUADRIX_INSTANCES_DIR) / "cgcut2.BI");
    EXPECT_TRUE(cgcut2.has_value());
    problem::TInstance longPiece = *cgcut2;
    longPiece.pieces[3].length = most;
    longPiece.pieces[4] = {5, most, most, 1, most};
    problem::TInstance addedPiece = longPiece;
    addedPiece.pieces[static_cast<std::size_t>(addedPiece.pieceCount++)] = {11, most, most, 3,
                                                                            most};
    return {
        {"cgcut2, piece 4 of length 2^31-1, piece 5 of 2^31-1 x 2^31-1", longPiece},
        {"cgcut2 with an 11th piece of 2^31-1 x 2^31-1", addedPiece},
        {"an area of 2^32, 0 in 32 bits",
         makeInstance(9, 7, {{65536, 65536, 50, 2}, {2, 3, 6, 4}, {4, 1, 5, 9}})},
        {"an area beyond 32 bits, first in the table",
         makeInstance(12, 10, {{most, 9, most, 1}, {3, 2, 7, 5}, {5, 4, 21, 2}})},
        {"a long piece of great value among small ones",
         makeInstance(10, 12, {{2, most, most / 5, most}, {3, 4, 13, most}, {2, 2, 5, 7}})},
        {"values near 2^31 and demands of 2^31-1",
         makeInstance(8, 9, {{1, 1, most / 72, most}, {8, 9, most, most}, {3, 3, most / 8, 2}})},
        {"the plate as the only fitting piece, great values elsewhere",
         makeInstance(6, 5, {{6, 5, 1, 1}, {7, 5, most, most}, {6, 6, most, most}})},
    };
}

TEST(AndOrDifferential, ExtremeSidesValuesAndDemandsKeepTheBoundsSound)
{
    for (const auto& [name, instance] : extremeInstances()) {
        for (const andor::ProblemKind kind :
             {andor::ProblemKind::Constrained, andor::ProblemKind::Unconstrained}) {
            for (const std::int32_t depth : {0, 1, 2}) {
                for (const bool shortcuts : {false, true}) {
                    andor::SolverSettings settings;
                    settings.depthLimit = depth;
                    settings.symmetryOn = shortcuts;
                    settings.heuristicsOn = shortcuts;
                    // The direct engine doubles its work with each level on cgcut2's plate.
                    if (depth == 2 && instance.plateHeight > 20)
                        continue;
                    SCOPED_TRACE(name +
                                 (kind == andor::ProblemKind::Constrained ? ", constrained"
                                                                          : ", unconstrained") +
                                 ", depth " + std::to_string(depth) +
                                 (shortcuts ? ", symmetry and heuristics" : ""));
                    expectSameRuns(runEngines(instance, kind, settings), instance);
                }
            }
        }
    }
}

} // namespace
