#include "support/WangTestInstances.h"
#include "wang/WangRun.h"
#include "wang/rules/GenerationSetup.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>

namespace {

// Small random instances: pieces mostly small against the plate, a few larger than it,
// demands 0 to 4.
problem::TInstance randomInstance(std::mt19937& random)
{
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int height = between(4, 16);
    const int length = between(4, 16);
    std::vector<TestPiece> pieces(static_cast<std::size_t>(between(1, 6)));
    for (TestPiece& piece : pieces) {
        const int kind = between(0, 19);
        const int maxHeight = kind == 0 ? height + 3 : kind < 5 ? height : (height + 1) / 2;
        const int maxLength = kind == 0 ? length + 3 : kind < 5 ? length : (length + 1) / 2;
        piece = {between(1, maxHeight), between(1, maxLength), between(0, 4)};
    }
    return makeInstance(height, length, pieces);
}

problem::TInstance scaled(problem::TInstance instance, int factor)
{
    instance.plateHeight *= factor;
    instance.plateLength *= factor;
    for (int i = 0; i < instance.pieceCount; ++i) {
        instance.pieces[i].height *= factor;
        instance.pieces[i].length *= factor;
    }
    return instance;
}

// Compares both engines on one run; returns the number of built records kept (0 on failure).
std::size_t expectSameRun(const problem::TInstance& instance, float beta, const std::string& trace)
{
    SCOPED_TRACE(trace + " beta " + std::to_string(beta) + ": " + describe(instance));
    wang::WangOptions options;
    options.patternLimit = 400; // keeps the literal engine quick; both must stop alike
    const auto fast = wang::runWang(instance, beta, options);
    const auto reference = wang::runWangReference(instance, beta, options);
    EXPECT_EQ(fast.has_value(), reference.has_value());
    if (!fast || !reference) {
        if (!fast && !reference) {
            EXPECT_EQ(fast.error().failure, reference.error().failure);
        }
        return 0;
    }
    EXPECT_EQ(fast->patterns.size(), reference->patterns.size());
    for (std::size_t i = 0; i < std::min(fast->patterns.size(), reference->patterns.size()); ++i)
        if (fast->patterns[i] != reference->patterns[i]) {
            ADD_FAILURE() << "first difference at record " << i;
            return 0;
        }
    EXPECT_EQ(fast->best, reference->best);
    EXPECT_EQ(fast->counts, reference->counts);
    EXPECT_EQ(fast->loss, reference->loss);
    EXPECT_EQ(fast->bestArea, reference->bestArea);
    EXPECT_EQ(fast->passes, reference->passes);
    EXPECT_EQ(fast->buildsTried, reference->buildsTried);
    EXPECT_EQ(fast->buildsMade, reference->buildsMade);
    return fast->patterns.size() - static_cast<std::size_t>(instance.pieceCount);
}

TEST(FastAgainstReference, RandomSmallInstances)
{
    const float betas[] = {-0.05f, 0.0f, 0.01f, 0.05f, 0.12f, 0.3f};
    int richRuns = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        const problem::TInstance instance = randomInstance(random);
        for (const float beta : betas)
            richRuns += expectSameRun(instance, beta, "seed " + std::to_string(seed)) >= 20;
        if (HasFailure())
            return;
    }
    // The comparison means little unless many runs build long lists.
    EXPECT_GE(richRuns, 60);
    std::cout << "runs with 20 or more built records: " << richRuns << '\n';
}

// Instances made to tie: plates that the pieces' sides divide, types of one size repeated and
// sides that add up to other types' sides, so that many builds have the same shape, the same
// wastes or both, and the plate is covered exactly in many ways. Which record a duplicate
// test keeps, which part of a join comes first and which record is the best are then decided
// by the tie rules alone.
problem::TInstance instanceMadeToTie(std::mt19937& random)
{
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int unit = between(1, 3);
    const int heightUnits = between(2, 5), lengthUnits = between(2, 5);
    std::vector<TestPiece> pieces(static_cast<std::size_t>(between(2, 5)));
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        TestPiece& piece = pieces[i];
        piece = {unit * between(1, heightUnits - 1), unit * between(1, lengthUnits - 1),
                 between(1, 4)};
        if (i == 0)
            continue;
        const TestPiece& one =
            pieces[static_cast<std::size_t>(between(0, static_cast<int>(i) - 1))];
        const TestPiece& two =
            pieces[static_cast<std::size_t>(between(0, static_cast<int>(i) - 1))];
        switch (between(0, 3)) {
        case 0: // the size of an earlier type
            piece.height = one.height;
            piece.length = one.length;
            break;
        case 1: // two earlier types one above the other
            piece.height = std::min(one.height + two.height, unit * heightUnits);
            piece.length = one.length;
            break;
        case 2: // two earlier types side by side
            piece.height = one.height;
            piece.length = std::min(one.length + two.length, unit * lengthUnits);
            break;
        default:
            break;
        }
    }
    return makeInstance(unit * heightUnits, unit * lengthUnits, pieces);
}

TEST(FastAgainstReference, InstancesMadeToTie)
{
    int richRuns = 0;
    for (unsigned seed = 500; seed < 620; ++seed) {
        std::mt19937 random(seed);
        const problem::TInstance instance = instanceMadeToTie(random);
        for (const float beta : {0.0f, 0.03f, 0.1f})
            richRuns += expectSameRun(instance, beta, "tie seed " + std::to_string(seed)) >= 20;
        if (HasFailure())
            return;
    }
    EXPECT_GE(richRuns, 60);
}

// An instance built in code may hold a negative demand or value, which no BI file gives. A
// piece of negative demand never joins (its counts do not pack, so the type masks decide);
// values play no part in the generation.
TEST(FastAgainstReference, NegativeDemandsAndValues)
{
    const float betas[] = {0.0f, 0.05f, 0.3f};
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        problem::TInstance instance = randomInstance(random);
        std::uniform_int_distribution<int> anyType(0, instance.pieceCount - 1);
        instance.pieces[anyType(random)].demand = -std::uniform_int_distribution<int>(1, 3)(random);
        if (seed % 2 == 0)
            instance.pieces[anyType(random)].value = -5;
        for (const float beta : betas)
            expectSameRun(instance, beta, "seed " + std::to_string(seed));
        if (HasFailure())
            return;
    }
}

// The fast engine settles demand tests from counts packed into one to three words when the
// demands allow it, else from type bits when there are at most 64 types, else from the counts;
// the cases below reach each way.
// Compares both engines at two betas on the instances widen(random instance) gives for
// seeds [first, first + 20); returns how many runs built 20 records or more.
template <typename Widen> int richRunsOfWidened(unsigned first, Widen widen)
{
    int richRuns = 0;
    for (unsigned seed = first; seed < first + 20; ++seed) {
        std::mt19937 random(seed);
        const problem::TInstance instance = widen(randomInstance(random));
        for (const float beta : {0.0f, 0.05f})
            richRuns += expectSameRun(instance, beta, "seed " + std::to_string(seed)) >= 20;
    }
    return richRuns;
}

TEST(FastAgainstReference, DemandsTooLargeToPack)
{
    // Ten types of boundless demand leave no room to pack the counts; the others still bind.
    const auto widen = [](problem::TInstance instance) {
        for (int extra = 0; extra < 10; ++extra, ++instance.pieceCount)
            instance.pieces[instance.pieceCount] = {
                instance.pieceCount + 1, instance.plateHeight - extra % 4,
                instance.plateLength / 2 + extra % 4, 1 << 29, 1};
        return instance;
    };
    EXPECT_GE(richRunsOfWidened(300, widen), 8);
}

TEST(FastAgainstReference, CountsPackedIntoSeveralWords)
{
    // Four types of demand 2^20 come first and push the fields of the others, which bind,
    // past the first word.
    const auto widen = [](const problem::TInstance& small) {
        problem::TInstance instance = small;
        instance.pieceCount = 4;
        for (int extra = 0; extra < 4; ++extra)
            instance.pieces[extra] = {extra + 1, small.plateHeight - extra,
                                      small.plateLength / 2 + extra, 1 << 20, 1};
        for (int i = 0; i < small.pieceCount; ++i, ++instance.pieceCount) {
            instance.pieces[instance.pieceCount] = small.pieces[i];
            instance.pieces[instance.pieceCount].id = instance.pieceCount + 1;
        }
        return instance;
    };
    EXPECT_GE(richRunsOfWidened(340, widen), 8);
}

TEST(FastAgainstReference, MoreThanSixtyFourPieceTypes)
{
    // Most types have no demand and never join; those that do include the last ones, past
    // what one word of type bits holds. Every other instance adds types too large to join
    // whose boundless demands leave no room to pack the counts.
    int richRuns = 0;
    for (unsigned seed = 200; seed < 212; ++seed) {
        std::mt19937 random(seed);
        auto between = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        const int height = between(9, 12);
        const int length = between(9, 12);
        const bool packable = seed % 2 == 0;
        std::vector<TestPiece> pieces(70);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const bool joins = i % 9 == 0 || i >= 66;
            pieces[i] = {between(2, 7), between(2, 7), joins ? between(1, 3) : 0};
            if (!packable && i >= 1 && i <= 10)
                pieces[i] = {between(height / 2 + 1, height), between(length / 2 + 1, length),
                             1 << 29};
        }
        const problem::TInstance instance = makeInstance(height, length, pieces);
        for (const float beta : {0.0f, 0.05f})
            richRuns +=
                expectSameRun(instance, beta, "many types seed " + std::to_string(seed)) >= 20;
    }
    EXPECT_GE(richRuns, 10);
}

TEST(FastAgainstReference, SkippedPairsAreCountedForTheNumbering)
{
    // Many equal pieces make long runs of repeated and mirrored builds between kept ones.
    const problem::TInstance instances[] = {
        makeInstance(12, 12, {{3, 3, 6}, {3, 4, 3}}),
        makeInstance(10, 12, {{2, 3, 5}, {3, 2, 5}, {5, 6, 2}}),
        makeInstance(9, 9, {{3, 3, 9}}),
        makeInstance(8, 16, {{4, 4, 3}, {4, 4, 3}, {2, 8, 2}}),
    };
    for (const problem::TInstance& instance : instances)
        for (const float beta : {0.0f, 0.02f, 0.1f})
            expectSameRun(instance, beta, "dense");
}

TEST(FastAgainstReference, LargeSidesTakeThePathWithoutSkipping)
{
    // Sides of many thousands leave the range in which pairs are skipped; the list must not
    // change with the scale.
    for (unsigned seed = 100; seed < 120; ++seed) {
        std::mt19937 random(seed);
        const problem::TInstance instance = scaled(randomInstance(random), 2500);
        for (const float beta : {0.0f, 0.05f, 0.2f})
            expectSameRun(instance, beta, "scaled seed " + std::to_string(seed));
    }
}

TEST(FastAgainstReference, SumsThatWrapAroundAgree)
{
    // Lengths whose sums leave the 32-bit range wrap around in both engines alike.
    const problem::TInstance instances[] = {
        makeInstance(1, 2147483647, {{1, 1500000000, 3}, {1, 700000000, 3}}),
        makeInstance(2, 1073741823, {{1, 1073741823, 2}, {2, 536870912, 2}}),
    };
    for (const problem::TInstance& instance : instances)
        for (const float beta : {0.0f, 0.5f, 10.0f})
            expectSameRun(instance, beta, "wrapping");
}

} // namespace
