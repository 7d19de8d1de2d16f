#pragma once

#include <cstdint>

namespace wang {

// Link value of a single piece, which has no parts to link to.
inline constexpr std::int32_t noPart = -1;

// Kind of a single piece record.
inline constexpr std::int32_t kindPiece = 0;
// Kind of a build whose two parts stand side by side along the length.
inline constexpr std::int32_t kindHorizontal = 1;
// Kind of a build whose parts stand one above the other along the height.
inline constexpr std::int32_t kindVertical = 2;

// One rectangle of the pattern list: a single piece or the join of two earlier records.
struct TPattern {
    std::int64_t id = 0; // counts every build, duplicates included, so it outgrows 32 bits
    std::int32_t height = 0;
    std::int32_t length = 0;
    std::int32_t kind = kindPiece;
    std::int32_t internalWaste = 0;
    std::int32_t totalWaste = 0;
    // Indices into the same list; a part always stands before the record built from it.
    std::int32_t first = noPart;
    std::int32_t second = noPart;

    bool operator==(const TPattern&) const = default;
};

} // namespace wang
