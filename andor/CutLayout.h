#pragma once

#include <cstdint>
#include <vector>

#include "andor/rules/HomogeneousFilling.h"
#include "problem/Instance.h"

namespace andor {

// How one rectangle of a chosen pattern is made.
enum class LayoutKind { Block, HeightCut, LengthCut };

// One rectangle of the chosen pattern: either a cut into two parts or a block of one type.
struct LayoutNode {
    std::int32_t height = 0;
    std::int32_t length = 0;
    LayoutKind kind = LayoutKind::Block;
    std::int32_t position = 0; // a cut's first part: its height (HeightCut) or length (LengthCut)
    std::int32_t first = -1;   // node index of the first part, top or left
    std::int32_t second = -1;  // node index of the remainder
    std::int32_t type = -1;    // a block's piece type (0-based); -1 for a rectangle left empty
    std::int32_t rows = 0;     // a block's rows and columns; count pieces fill them row by row
    std::int32_t columns = 0;
    std::int32_t count = 0;

    bool operator==(const LayoutNode&) const = default;
};

// The chosen pattern as a tree of rectangles; nodes[0] is the plate, empty when there is none.
struct CutLayout {
    std::vector<LayoutNode> nodes;

    bool operator==(const CutLayout&) const = default;
};

// The block of rectangle a x b that holds a homogeneous filling; empty when nothing fits.
LayoutNode blockOf(const HomogeneousFill& fill, std::int32_t a, std::int32_t b,
                   const problem::TInstance& instance);

} // namespace andor
