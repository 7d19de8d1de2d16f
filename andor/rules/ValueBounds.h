#pragma once

#include <cstdint>
#include <span>

#include "problem/Instance.h"

namespace andor {

// a x density x b in double, density being the best truncated value per unit area (a float)
// of the types that fit a x b.
double areaBound(std::int32_t a, std::int32_t b, const problem::TInstance& instance);

// Greedy fractional filling of a x b within remaining, in table order and in 32-bit floats;
// every type takes part, whether it fits or not. The areas are 32-bit products, which wrap for
// a piece too large for them.
float greedyDemandBound(std::int32_t a, std::int32_t b, std::span<const std::int32_t> remaining,
                        const problem::TInstance& instance);

// The same bound, also giving for each type the least remaining demand from which the bound
// no longer depends on that type's demand.
float greedyDemandBound(std::int32_t a, std::int32_t b, std::span<const std::int32_t> remaining,
                        const problem::TInstance& instance, std::span<std::int32_t> saturation);

} // namespace andor
