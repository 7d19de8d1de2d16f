#pragma once

#include "problem/Instance.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace problem {

// The first header field of the editor that stopped a confirmation, if any.
enum class HeaderFault { None, Height, Length, Count, CountAboveCapacity };

// Converts the plate height, plate length and piece count texts, in this order, into the
// instance; stops at the first text that does not convert, keeping what was stored before it.
// A count above maxPieceTypes is refused and not stored, so no piece table can be overrun.
HeaderFault applyHeaderTexts(TInstance& instance, std::string_view height, std::string_view length,
                             std::string_view count);

// The texts of one row of the piece grid: value, height, length, demand.
using PieceRowTexts = std::array<std::string, 4>;

// Converts piece grid rows into piece types numbered from 1. An empty value text stands for
// height times length (a wrapping 32-bit product). Empty when any text does not convert.
std::optional<std::vector<TPieceType>> piecesFromRows(std::span<const PieceRowTexts> rows);

} // namespace problem
