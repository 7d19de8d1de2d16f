#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

#include "andor/DiscretizationSet.h"
#include "andor/bounds/OneCutBound.h"
#include "andor/rules/HomogeneousFilling.h"
#include "support/AndOrTestSupport.h"

namespace {

using andor::RectSize;
using andor::TDiscretizationSet;

struct Sets {
    TDiscretizationSet x;
    TDiscretizationSet y;
};

Sets constrainedSets(const problem::TInstance& instance)
{
    andor::SolverSettings settings;
    settings.builderNotices = nullptr;
    Sets sets;
    EXPECT_TRUE(andor::buildXSetConstrained(instance, settings, sets.x));
    EXPECT_TRUE(andor::buildYSetConstrained(instance, settings, sets.y));
    return sets;
}

// A leaf within the working copy, whose pieces it then takes.
float takeLeaf(RectSize part, std::vector<std::int32_t>& working,
               const problem::TInstance& instance)
{
    const andor::HomogeneousFill fill =
        andor::bestHomogeneousWithin(part.height, part.length, working, instance);
    if (fill.value != 0)
        working[static_cast<std::size_t>(fill.type)] -= fill.count;
    return static_cast<float>(fill.value);
}

// A part with one level of cuts left, by the search's rules without the heuristic tests: its
// filling, then every position from the start indexes on, the first part within the working
// copy and the second within what the first leaves; a pair that lifts the part keeps the copy
// reduced, any other puts it back, as does a position that cuts nothing after a kept pair.
// The greedy bound that may stop the part at its filling is left out, which can only raise it.
float oneLevelValue(const problem::TInstance& instance, const Sets& sets, RectSize part,
                    std::int32_t xStart, std::int32_t yStart,
                    const std::vector<std::int32_t>& demand)
{
    std::vector<std::int32_t> working = demand;
    float value = static_cast<float>(
        andor::bestHomogeneousWithin(part.height, part.length, demand, instance).value);
    bool linked = false;
    const auto position = [&](bool cuts, RectSize first, RectSize second) {
        if (cuts) {
            const float one = takeLeaf(first, working, instance);
            const float two = takeLeaf(second, working, instance);
            const double sum = static_cast<double>(one) + static_cast<double>(two);
            linked = sum > static_cast<double>(value);
            if (linked)
                value = static_cast<float>(sum);
        } else if (linked) {
            linked = false;
        } else {
            return;
        }
        if (!linked)
            working = demand;
    };
    const std::int32_t a = part.height, b = part.length;
    for (std::int32_t j = xStart; j < sets.x.count; ++j) {
        const std::int32_t x = sets.x.points[static_cast<std::size_t>(j)];
        position(x <= a && sets.x.floors[static_cast<std::size_t>(j)] <= b, {x, b}, {a - x, b});
    }
    for (std::int32_t k = yStart; k < sets.y.count; ++k) {
        const std::int32_t y = sets.y.points[static_cast<std::size_t>(k)];
        position(y <= b && sets.y.floors[static_cast<std::size_t>(k)] <= a, {a, y}, {a, b - y});
    }
    return value;
}

struct BoundCase {
    const char* name;
    std::int32_t plateHeight;
    std::int32_t plateLength;
    int largestPiece; // sides up to this
    int highestDemand;
    bool fewValues; // so that fillings and cuts often tie
};

problem::TInstance randomInstance(std::mt19937& random, const BoundCase& c)
{
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    problem::TInstance instance;
    instance.plateHeight = c.plateHeight;
    instance.plateLength = c.plateLength;
    instance.pieceCount = pick(1, 9);
    for (int i = 0; i < instance.pieceCount; ++i) {
        const std::int32_t height = pick(1, c.largestPiece), length = pick(1, c.largestPiece);
        const std::int32_t value = c.fewValues ? 6 * pick(0, 2) : pick(1, 3 * height * length);
        instance.pieces[static_cast<std::size_t>(i)] = {i + 1, height, length,
                                                        pick(0, c.highestDemand), value};
    }
    return instance;
}

// A demand that agrees with demand on every count up to what fits part, and differs above.
std::vector<std::int32_t> agreeingUpToFit(const problem::TInstance& instance, RectSize part,
                                          const std::vector<std::int32_t>& demand,
                                          std::mt19937& random)
{
    std::vector<std::int32_t> other = demand;
    for (std::size_t i = 0; i < other.size(); ++i) {
        const problem::TPieceType& piece = instance.pieces[i];
        const std::int32_t fit = (part.height / piece.height) * (part.length / piece.length);
        if (demand[i] >= fit)
            other[i] = std::uniform_int_distribution<std::int32_t>(fit, fit + 5)(random);
    }
    return other;
}

// Whatever the remaining demand, the start indexes and how far the bound may stop reading, it
// is never below the part's value; and it reads no count beyond what fits the part: a demand
// that agrees up to there gets the same answer.
TEST(OneCutBound, HoldsForEveryPartWithOneLevelOfCutsLeft)
{
    const BoundCase cases[] = {
        {"small pieces, many cuts a part", 30, 25, 6, 4, false},
        {"larger pieces, few cuts", 30, 25, 14, 3, false},
        {"ties of fillings and cuts", 24, 24, 8, 5, true},
        {"demands beyond what fits", 20, 30, 7, 60, false},
        {"single copies", 30, 30, 9, 1, false},
    };
    for (const BoundCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(static_cast<std::uint32_t>(c.plateHeight * 131 + c.largestPiece));
        const auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        for (int trial = 0; trial < 30; ++trial) {
            const problem::TInstance instance = randomInstance(random, c);
            SCOPED_TRACE(describe(instance));
            const Sets sets = constrainedSets(instance);
            const andor::FitTable fits(instance);
            const andor::PartSides sides(instance.plateHeight, instance.plateLength);
            andor::DemandFills fills(instance, fits, sides);
            andor::OneCutBound bound(instance, fills, fits, sets.x, sets.y, sides);
            for (int ask = 0; ask < 200; ++ask) {
                const RectSize part{pick(0, c.plateHeight), pick(0, c.plateLength)};
                const std::int32_t xStart = pick(0, sets.x.count);
                const std::int32_t yStart = pick(0, sets.y.count);
                std::vector<std::int32_t> demand;
                for (int i = 0; i < instance.pieceCount; ++i)
                    demand.push_back(pick(0, instance.pieces[static_cast<std::size_t>(i)].demand));
                const float value = oneLevelValue(instance, sets, part, xStart, yStart, demand);
                const float beyonds[] = {-std::numeric_limits<float>::infinity(),
                                         0.0f,
                                         value * 0.5f,
                                         value - 1.0f,
                                         value,
                                         std::numeric_limits<float>::infinity()};
                for (const float beyond : beyonds) {
                    const float most = bound.within(part, xStart, yStart, demand, beyond);
                    ASSERT_GE(most, value) << part.height << " x " << part.length << " from "
                                           << xStart << ", " << yStart << ", beyond " << beyond;
                    const std::vector<std::int32_t> other =
                        agreeingUpToFit(instance, part, demand, random);
                    ASSERT_EQ(bound.within(part, xStart, yStart, other, beyond), most)
                        << part.height << " x " << part.length;
                }
            }
        }
    }
}

} // namespace
