#include "andor/rules/ValueBounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "problem/Int32Arithmetic.h"

namespace andor {

double areaBound(std::int32_t a, std::int32_t b, const problem::TInstance& instance)
{
    float density = 0.0f;
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        if (piece.height > a || piece.length > b)
            continue;
        const auto d = static_cast<float>(piece.value / piece.height / piece.length);
        if (d > density)
            density = d;
    }
    // Evaluated in double: a float product differs above 2^24 and would flip the tests.
    return static_cast<double>(a) * static_cast<double>(density) * static_cast<double>(b);
}

float greedyDemandBound(std::int32_t a, std::int32_t b, std::span<const std::int32_t> remaining,
                        const problem::TInstance& instance)
{
    const auto area = static_cast<float>(problem::mul32(a, b));
    float used = 0.0f;
    float bound = 0.0f;
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        const auto pieceArea = static_cast<float>(problem::mul32(piece.height, piece.length));
        const float copies = std::min(static_cast<float>(remaining[static_cast<std::size_t>(i)]),
                                      (area - used) / pieceArea);
        used += pieceArea * copies;
        bound += static_cast<float>(piece.value) * copies;
    }
    return bound;
}

// A type whose copies are sure to be 0 changes neither sum: one without remaining demand while
// the room left is not negative, or one with demand once no room is left at all.
float greedyDemandBound(std::int32_t a, std::int32_t b, std::span<const std::int32_t> remaining,
                        const problem::TInstance& instance, std::span<std::int32_t> saturation)
{
    const auto area = static_cast<float>(problem::mul32(a, b));
    float used = 0.0f;
    float bound = 0.0f;
    for (std::size_t i = 0; i < static_cast<std::size_t>(instance.pieceCount); ++i) {
        const float left = area - used;
        if (remaining[i] == 0 && left >= 0.0f) {
            saturation[i] = left > 0.0f ? 1 : 0; // whether a copy has room is all it reads
            continue;
        }
        if (remaining[i] > 0 && left == 0.0f) {
            saturation[i] = 0;
            continue;
        }
        const problem::TPieceType& piece = instance.pieces[i];
        const auto pieceArea = static_cast<float>(problem::mul32(piece.height, piece.length));
        const float room = left / pieceArea;
        // From ceil(room) copies on, the smaller of the two below is room itself. A room of
        // 2^31 or more (a piece whose area wraps to 0 leaves an infinite one) reads every
        // demand, so it stops at the largest.
        constexpr float pastEveryDemand = 2147483648.0f;
        if (!(room > 0.0f))
            saturation[i] = 0;
        else if (room >= pastEveryDemand)
            saturation[i] = std::numeric_limits<std::int32_t>::max();
        else
            saturation[i] = static_cast<std::int32_t>(std::ceil(room));
        const float copies = std::min(static_cast<float>(remaining[i]), room);
        used += pieceArea * copies;
        bound += static_cast<float>(piece.value) * copies;
    }
    return bound;
}

} // namespace andor
