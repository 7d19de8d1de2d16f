#pragma once

#include <array>
#include <cstdint>

#include "andor/SolverSettings.h"
#include "problem/Instance.h"

namespace andor {

// Most positions a discretization set can hold; positions range from 0 to maxSetPositions - 1.
inline constexpr int maxSetPositions = 5000;

// Cut positions along one plate side, ascending, each with its floor (F(x) or G(y)).
struct TDiscretizationSet {
    std::int32_t count = 0;
    std::array<std::int32_t, maxSetPositions> points{};
    std::array<std::int32_t, maxSetPositions> floors{};
};

// The following four builders require 1 <= n <= maxPieceTypes, piece dimensions >= 1 and a
// bound (the plate side, halved with symmetry) of at most maxSetPositions - 1. On failure they
// print a line to settings.builderNotices (standard output unless changed), set count to
// setCapacity + 1 and leave points and floors.

// Builds the heights that stacks of pieces fill exactly, any number of copies per type.
bool buildXSetUnconstrained(const problem::TInstance& instance, const SolverSettings& settings,
                            TDiscretizationSet& xSet);

// Builds the heights that stacks of pieces fill exactly, at most a type's demand of copies.
bool buildXSetConstrained(const problem::TInstance& instance, const SolverSettings& settings,
                          TDiscretizationSet& xSet);

// Builds the lengths that rows of pieces fill exactly, any number of copies per type.
bool buildYSetUnconstrained(const problem::TInstance& instance, const SolverSettings& settings,
                            TDiscretizationSet& ySet);

// Builds the lengths that rows of pieces fill exactly, at most a type's demand of copies.
bool buildYSetConstrained(const problem::TInstance& instance, const SolverSettings& settings,
                          TDiscretizationSet& ySet);

// True when both sets hold the same positions and floors.
bool sameSet(const TDiscretizationSet& left, const TDiscretizationSet& right);

} // namespace andor
