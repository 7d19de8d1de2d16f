#pragma once

#include "problem/Instance.h"

#include <array>
#include <cstdint>

class StringGrid;

// Sizes the five columns of a piece grid: "Comprimento" needs more room than the default
// width, "Peça nº" less, and the grid keeps its width.
void setPieceGridColumns(StringGrid& grid);

// Fills the piece grid of a window: headings and one row per piece type; narrow
// without scroll bars up to narrowUpTo types, wide with a vertical scroll bar above.
void fillPieceGrid(StringGrid& grid, const problem::TInstance& instance, int narrowUpTo);

// Fills the count grid of a run window with the best pattern's pieces per type.
void fillCountGrid(StringGrid& grid, const std::array<std::int32_t, problem::maxPieceTypes>& counts,
                   int pieceCount);
