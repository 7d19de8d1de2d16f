#include "support/EngineComparison.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "andor/PatternOfLayout.h"
#include "pattern/CuttingPattern.h"

namespace {

// The pattern of the fast engine is sound and worth what the run reports.
void checkPattern(const andor::AndOrRun& run, const problem::TInstance& instance)
{
    const pattern::CuttingPattern pattern = andor::cuttingPatternOf(run.layout, instance);
    const auto fault = pattern::findPatternFault(pattern, instance);
    ASSERT_FALSE(fault.has_value()) << *fault;
    std::array<std::int32_t, problem::maxPieceTypes> counts{};
    std::int64_t value = 0;
    for (const pattern::PlacedPiece& piece : pattern.pieces) {
        ++counts[static_cast<std::size_t>(piece.type)];
        value += instance.pieces[static_cast<std::size_t>(piece.type)].value;
    }
    EXPECT_EQ(counts, run.counts);
    // The search sums its parts in 32-bit floats, which round above 2^24.
    if (value < (std::int64_t{1} << 24))
        EXPECT_EQ(static_cast<float>(value), run.value);
    else
        EXPECT_NEAR(static_cast<double>(value), run.value, 1e-6 * static_cast<double>(value));
}

} // namespace

void expectSameRun(const RunResult& fast, const RunResult& direct,
                   const problem::TInstance& instance)
{
    ASSERT_EQ(fast.has_value(), direct.has_value());
    if (!direct) {
        EXPECT_EQ(fast.error(), direct.error());
        return;
    }
    EXPECT_TRUE(andor::sameSet(fast->xSet, direct->xSet));
    EXPECT_TRUE(andor::sameSet(fast->ySet, direct->ySet));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(fast->value),
              std::bit_cast<std::uint32_t>(direct->value));
    EXPECT_EQ(fast->counts, direct->counts);
    EXPECT_TRUE(fast->layout == direct->layout) << "the engines chose different patterns";
    if (fast->nodesExamined) {
        EXPECT_EQ(fast->nodesExamined, direct->nodesExamined);
    }
    checkPattern(*fast, instance);
}
