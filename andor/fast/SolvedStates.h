#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <vector>

#include "andor/CutLayout.h"
#include "andor/DiscretizationSet.h"
#include "andor/StackRoom.h"
#include "andor/fast/FastSearch.h"
#include "andor/rules/CutHeuristics.h"
#include "andor/rules/HomogeneousFilling.h"
#include "problem/Instance.h"
#include "problem/RunControl.h"

namespace andor {

// One part of a chosen cut: a solved state, or (state -1) a rectangle that the search never
// expands, valued by its homogeneous filling leaf.
struct PartRef {
    std::int32_t state = -1;
    HomogeneousFill leaf;
};

// The result of one node state: its value, the nodes the direct search spends on it, and the
// pair that gave the value (choice -1: its homogeneous block; else the cut position, x
// positions first, then y positions numbered after them).
struct SolvedState {
    float value = 0.0f;
    std::int32_t choice = -1;
    PartRef first;
    PartRef second;
    std::int64_t nodes = 1;
};

// The cut a state chose (choice >= 0) in its a x b rectangle, and the two parts it makes.
struct StateCut {
    bool alongHeight = false;
    std::int32_t position = 0;
    RectSize first;
    RectSize second;
};

StateCut stateCut(std::int32_t choice, std::int32_t a, std::int32_t b,
                  const TDiscretizationSet& xSet, const TDiscretizationSet& ySet);

// First index from start whose position fits along and whose floor fits across; count if none.
std::int32_t firstUsable(const TDiscretizationSet& set, std::int32_t start, std::int32_t along,
                         std::int32_t across);

// Sum of node counts that stays at the int64 maximum instead of overflowing; inline, as the
// searches add a count for every cut.
inline std::int64_t addNodes(std::int64_t left, std::int64_t right)
{
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    return left > most - right ? most : left + right;
}

// Counts the levels of a fast search's recursion and stops it, with StackExhausted, before it
// overflows the stack of its thread.
class RecursionGuard {
public:
    RecursionGuard(int& level, const StackRoom& stack);
    ~RecursionGuard();
    RecursionGuard(const RecursionGuard&) = delete;
    RecursionGuard& operator=(const RecursionGuard&) = delete;

private:
    int& m_level;
};

// Notes for the run's progress that a state is being solved, statesSoFar of them in all;
// throws problem::RunStopped once the run was asked to stop.
inline void noteStateSolving(problem::RunControl* control, std::int64_t statesSoFar)
{
    if (!control)
        return;
    control->progress().statesSolved = statesSoFar;
    control->checkpoint();
}

// The outcome of a search whose root state is root: its value and node count, and the chosen
// pattern unfolded with its piece counts; fillOf gives the homogeneous filling of a state
// that kept its block.
SearchOutcome outcomeOf(std::int32_t root, std::int64_t statesSolved,
                        const problem::TInstance& instance, std::span<const SolvedState> states,
                        const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
                        const std::function<HomogeneousFill(std::int32_t state)>& fillOf);

} // namespace andor
