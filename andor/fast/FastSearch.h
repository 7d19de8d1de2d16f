#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "andor/CutLayout.h"
#include "andor/DiscretizationSet.h"
#include "andor/SolverSettings.h"
#include "problem/Instance.h"

namespace andor {

// Whether a fast search also counts the nodes the direct search creates. Counting keeps the
// constrained search from skipping a pair by its ceiling alone, as the nodes of its parts must
// still be known; only the bench and the tests need them.
enum class NodeCounting { Skip, Count };

// What a fast search finds: the root's value and counts, the chosen pattern and its effort.
struct SearchOutcome {
    float value = 0.0f;
    std::array<std::int32_t, problem::maxPieceTypes> counts{};
    CutLayout layout;
    // Nodes the direct search creates, saturating at int64 max, when counted.
    std::optional<std::int64_t> nodesExamined;
    std::int64_t statesSolved = 0; // node states computed, some of them more than once
};

// The unconstrained search with each node state solved once; requires depthLimit >= 0.
// Throws std::bad_alloc when memory runs out, StackExhausted when a very deep limit would
// overflow the stack of the calling thread.
SearchOutcome fastSearchUnconstrained(const problem::TInstance& instance,
                                      const SolverSettings& settings,
                                      const TDiscretizationSet& xSet,
                                      const TDiscretizationSet& ySet, NodeCounting counting);

// When the constrained search has a second thread solve the pairs of its root and of the root's
// parts: once it has run a while; never; or from the start, each node's pairs before the search
// comes to them, the thread forgetting its states after each pair, which lets the tests compare
// the search that takes every such part from there with the one that takes none.
enum class Helping { AfterWarmUp, Never, BeforeSearch };

// The constrained search with each node state solved once; requires depthLimit >= 0 and no
// negative demand. Its outcome is the same however it is helped. Throws std::bad_alloc when
// memory runs out, StackExhausted when a very deep limit would overflow the stack of the
// calling thread.
SearchOutcome fastSearchConstrained(const problem::TInstance& instance,
                                    const SolverSettings& settings, const TDiscretizationSet& xSet,
                                    const TDiscretizationSet& ySet, NodeCounting counting,
                                    Helping helping = Helping::AfterWarmUp);

} // namespace andor
