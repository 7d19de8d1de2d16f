#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "problem/Instance.h"

// A rectangle of the AND/OR search tree with its best value so far; owns its two parts.
struct TCutNode {
    std::int32_t height = 0;
    std::int32_t length = 0;
    float value = 0.0f;
    std::array<std::int32_t, maxPieceTypes> counts{};
    std::unique_ptr<TCutNode> first;  // (x, b) or (a, y)
    std::unique_ptr<TCutNode> second; // (a - x, b) or (a, b - y)
};
