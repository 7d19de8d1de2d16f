#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <memory>

#include "andor/CutLayout.h"
#include "andor/DiscretizationSet.h"
#include "andor/SolverSettings.h"
#include "andor/StackRoom.h"
#include "andor/reference/CutNode.h"
#include "problem/Instance.h"

namespace andor {

// Everything one direct search reads and the few things it records.
struct SearchContext {
    const problem::TInstance& instance;
    const SolverSettings& settings;
    const TDiscretizationSet& xSet;
    const TDiscretizationSet& ySet;
    std::time_t searchStart = 0;
    std::time_t searchEnd = 0;
    std::int64_t nodesCreated = 0; // every node allocated, including those discarded at once
    StackRoom stack{};             // of the thread that runs the search
};

// Remaining demand per piece type, in table order.
using DemandArray = std::array<std::int32_t, problem::maxPieceTypes>;

// Direct unconstrained search of the whole plate into root; no node with a negative depth limit.
void searchUnconstrained(SearchContext& context, std::unique_ptr<TCutNode>& root);

// Builds and solves the node of rectangle a x b into slot, node by node as defined. Throws
// StackExhausted where the recursion would overflow the stack.
void expandUnconstrained(SearchContext& context, std::int32_t a, std::int32_t b,
                         std::int32_t xStart, std::int32_t yStart, TCutNode* parent,
                         std::unique_ptr<TCutNode>& slot, std::int32_t depth, int side);

// Direct constrained search of the whole plate into root, starting from the demands.
void searchConstrained(SearchContext& context, std::unique_ptr<TCutNode>& root);

// Builds and solves the node of a x b within remaining into slot, node by node as defined;
// throws StackExhausted as expandUnconstrained.
void expandConstrained(SearchContext& context, std::int32_t a, std::int32_t b, std::int32_t xStart,
                       std::int32_t yStart, TCutNode* parent, std::unique_ptr<TCutNode>& slot,
                       std::int32_t depth, int side, const DemandArray& remaining);

// The pattern behind the root's value as a tree of rectangles, in the order a fast search
// unfolds its own.
CutLayout layoutOf(const TCutNode& root, const problem::TInstance& instance);

} // namespace andor
