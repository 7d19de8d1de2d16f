#pragma once

#include "wang/rules/GenerationSetup.h"

#include <array>
#include <expected>

namespace wang {

// The generation done literally: a linked list, a walk over the leaves for every demand and
// duplicate test, and a scan from the list's start for every duplicate. Slow; it is the
// yardstick that the fast engine is tested against.
std::expected<GenerationResult, WangError>
generatePatternsReference(const problem::TInstance& instance, float beta,
                          const WangOptions& options = {});

// Piece counts of one record by walking the leaves of its tree; entry r-1 for piece type r.
std::array<std::int32_t, problem::maxPieceTypes> countLeaves(const std::vector<TPattern>& patterns,
                                                             std::size_t index, int pieceCount);

} // namespace wang
