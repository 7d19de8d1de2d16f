#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "CutLayout.h"
#include "DiscretizationSet.h"
#include "StateMemo.h"

// The result of one node state: its value, the nodes the direct search spends on it, and the
// pair that gave the value (choice -1: its homogeneous block; else the cut position, x
// positions first, then y positions numbered after them).
struct SolvedState {
    float value = 0.0f;
    std::int32_t choice = -1;
    std::int32_t first = -1;
    std::int32_t second = -1;
    std::int64_t nodes = 1;
};

// First index from start whose position fits along and whose floor fits across; count if none.
std::int32_t firstUsable(const TDiscretizationSet& set, std::int32_t start, std::int32_t along,
                         std::int32_t across);

// Sum of node counts that stays at the int64 maximum instead of overflowing.
std::int64_t addNodes(std::int64_t left, std::int64_t right);

// Bounds the recursion of a fast search so that a huge depth limit fails instead of
// overflowing the stack.
class RecursionGuard {
public:
    explicit RecursionGuard(int& level);
    ~RecursionGuard();
    RecursionGuard(const RecursionGuard&) = delete;
    RecursionGuard& operator=(const RecursionGuard&) = delete;

private:
    int& m_level;
};

// Unfolds the chosen pattern from state root. Keys start with the rectangle (a, b); blockOf
// gives a homogeneous state's block node and adds its pieces to counts.
CutLayout unfoldLayout(std::int32_t root, const std::vector<SolvedState>& states,
                       const StateMemo& memo, const TDiscretizationSet& xSet,
                       const TDiscretizationSet& ySet,
                       const std::function<LayoutNode(std::int32_t state)>& blockOf);
