#pragma once

#include <array>
#include <cstdint>

#include "CutLayout.h"
#include "DiscretizationSet.h"
#include "Instance.h"
#include "SolverSettings.h"

// What a fast search finds: the root's value and counts, the chosen pattern and its effort.
struct SearchOutcome {
    float value = 0.0f;
    std::array<std::int32_t, maxPieceTypes> counts{};
    CutLayout layout;
    std::int64_t nodesExamined = 0; // nodes the direct search creates, saturating at int64 max
    std::int64_t statesSolved = 0;  // distinct node states actually computed
};

// The unconstrained search with each node state solved once; requires depthLimit >= 0.
// Throws std::bad_alloc when memory, or the stack for a very deep limit, runs out.
SearchOutcome fastSearchUnconstrained(const TInstance& instance, const SolverSettings& settings,
                                      const TDiscretizationSet& xSet,
                                      const TDiscretizationSet& ySet);

// The constrained search with each node state solved once; requires depthLimit >= 0 and no
// negative demand. Throws std::bad_alloc when memory, or the stack for a very deep limit, runs out.
SearchOutcome fastSearchConstrained(const TInstance& instance, const SolverSettings& settings,
                                    const TDiscretizationSet& xSet, const TDiscretizationSet& ySet);
