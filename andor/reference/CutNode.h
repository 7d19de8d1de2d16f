#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "andor/rules/HomogeneousFilling.h"
#include "problem/Instance.h"

namespace andor {

struct ChosenCut;

// The pattern behind a node's best value: its homogeneous filling until a cut beats it.
struct ChosenPattern {
    HomogeneousFill fill;
    std::shared_ptr<const ChosenCut> cut; // none while the filling holds
};

// A cut that beat its node, with the patterns its two parts had then; shared, because the
// parts themselves are released while the cut stays chosen.
struct ChosenCut {
    bool alongHeight = false; // a cut at a height (first part on top) or at a length
    std::int32_t position = 0;
    ChosenPattern first;
    ChosenPattern second;
};

// A rectangle of the AND/OR search tree with its best value so far; owns its two parts.
struct TCutNode {
    std::int32_t height = 0;
    std::int32_t length = 0;
    float value = 0.0f;
    std::array<std::int32_t, problem::maxPieceTypes> counts{};
    std::unique_ptr<TCutNode> first;  // (x, b) or (a, y)
    std::unique_ptr<TCutNode> second; // (a - x, b) or (a, b - y)
    ChosenPattern chosen;             // what value and counts are made of
};

} // namespace andor
