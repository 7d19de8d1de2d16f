#pragma once

#include <cstdint>
#include <span>

#include "problem/Instance.h"

namespace andor {

// One piece type in a regular grid: its value, its type (-1 when none fits) and its count.
struct HomogeneousFill {
    std::int32_t value = 0;
    std::int32_t type = -1;
    std::int32_t count = 0;
};

// Best single-type grid of rectangle a x b with unlimited copies; earliest type wins ties.
HomogeneousFill bestHomogeneous(std::int32_t a, std::int32_t b, const problem::TInstance& instance);

// The value of bestHomogeneous alone.
std::int32_t homogeneousValue(std::int32_t a, std::int32_t b, const problem::TInstance& instance);

// Best single-type grid of a x b with at most remaining[i] copies of type i.
HomogeneousFill bestHomogeneousWithin(std::int32_t a, std::int32_t b,
                                      std::span<const std::int32_t> remaining,
                                      const problem::TInstance& instance);

// The value of the best single-type grid of a x b within the full demands.
std::int32_t homogeneousDemandValue(std::int32_t a, std::int32_t b,
                                    const problem::TInstance& instance);

} // namespace andor
