#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "problem/Instance.h"

namespace pattern {

// One piece of a cutting pattern, placed unturned with its top-left corner at (top, left).
struct PlacedPiece {
    std::int32_t type = 0; // 0-based index into the instance's piece table
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t height = 0;
    std::int32_t length = 0;

    bool operator==(const PlacedPiece&) const = default;
};

// One guillotine cut: a segment, horizontal when top == bottom, vertical when left == right.
struct PatternCut {
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t bottom = 0;
    std::int32_t right = 0;
    int stage = 1; // 1 = a first-stage cut of the plate; +1 at each change of direction

    bool operator==(const PatternCut&) const = default;
};

// The geometry of a guillotine pattern on a plate, coordinates from the top-left corner.
struct CuttingPattern {
    std::int32_t plateHeight = 0;
    std::int32_t plateLength = 0;
    std::vector<PlacedPiece> pieces;
    std::vector<PatternCut> cuts; // in the order they are made
};

// Returns a description of the first fault found in the pattern, or nothing when it is sound.
std::optional<std::string> findPatternFault(const CuttingPattern& pattern,
                                            const problem::TInstance& instance);

} // namespace pattern
