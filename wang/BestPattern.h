#pragma once

#include "problem/Instance.h"
#include "wang/Pattern.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace wang {

// The first record whose total waste is below every earlier one, the bound starting at the
// plate area; patterns.size() when no record qualifies.
std::size_t bestPattern(const std::vector<TPattern>& patterns, std::int32_t plateArea);

// Piece counts of record `index`, entry r-1 for piece type r, the n pieces standing first in
// the list. Multiplicities flow down the shared tree, so a part used many times is visited
// once and nothing is written outside the table.
std::array<std::int32_t, problem::maxPieceTypes>
countBestPattern(const std::vector<TPattern>& patterns, std::size_t index, int pieceCount);

// The area a record's pieces cover: height * length - inner waste.
std::int32_t coveredArea(const TPattern& record);

// The loss P in percent: total waste * 100 / plate area, in extended precision, as a float.
float lossPercent(std::int32_t totalWaste, std::int32_t plateArea);

} // namespace wang
