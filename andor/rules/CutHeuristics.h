#pragma once

#include <cstdint>
#include <span>

#include "andor/SolverSettings.h"
#include "problem/Instance.h"

namespace andor {

// A rectangle by its height a (along the plate height) and its length b.
struct RectSize {
    std::int32_t height = 0;
    std::int32_t length = 0;
};

// The two parts of a cut with the values the decision reads.
struct CutCandidate {
    RectSize parent;
    float parentValue = 0.0f; // the parent's best value at the moment of the test
    RectSize sibling;         // the first part, already solved
    RectSize part;            // the second part, just valued by its homogeneous filling
    float partValue = 0.0f;
};

// True when the two heuristic tests of the unconstrained search discard the cut.
bool discardsUnconstrainedCut(const CutCandidate& cut, const problem::TInstance& instance,
                              const SolverSettings& settings);

// True when the two heuristic tests of the constrained search discard the cut; remaining is
// the second part's remaining demand.
bool discardsConstrainedCut(const CutCandidate& cut, std::span<const std::int32_t> remaining,
                            const problem::TInstance& instance, const SolverSettings& settings);

} // namespace andor
