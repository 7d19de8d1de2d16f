#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace problem {

// Capacity of every piece table in the program.
inline constexpr int maxPieceTypes = 100;

// One piece type of a cutting problem; pieces are never turned.
struct TPieceType {
    std::int32_t id = 0;
    std::int32_t height = 0;
    std::int32_t length = 0;
    std::int32_t demand = 0;
    std::int32_t value = 0;

    bool operator==(const TPieceType&) const = default;
};

// One cutting problem: a plate H x W and up to maxPieceTypes piece types.
struct TInstance {
    // UTF-8; in the run windows it keeps the line end it was read with.
    std::string description;
    std::int32_t plateHeight = 0;
    std::int32_t plateLength = 0;
    std::int32_t pieceCount = 0;
    std::array<TPieceType, maxPieceTypes> pieces{};

    bool operator==(const TInstance&) const = default;
};

} // namespace problem
