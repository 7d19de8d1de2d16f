#include "andor/rules/HomogeneousFilling.h"

#include <algorithm>
#include <cmath>

namespace andor {

namespace {

// A product of 32-bit integers as 32-bit arithmetic gives it, wrapping instead of trapping.
std::int32_t product32(std::int64_t left, std::int64_t right)
{
    return static_cast<std::int32_t>(static_cast<std::uint64_t>(left) *
                                     static_cast<std::uint64_t>(right));
}

// m x value truncated toward zero, kept to 32 bits; m is a float, the product a double.
std::int32_t truncatedValue(float copies, std::int32_t value)
{
    const double product = static_cast<double>(copies) * static_cast<double>(value);
    return static_cast<std::int32_t>(static_cast<std::int64_t>(std::trunc(product)));
}

template <typename Limit>
HomogeneousFill bestWithin(std::int32_t a, std::int32_t b, const problem::TInstance& instance,
                           Limit limit)
{
    HomogeneousFill best;
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        const std::int32_t fit = product32(a / piece.height, b / piece.length);
        // Both operands are compared as floats, as the minimum is defined on them.
        const float copies = std::min(static_cast<float>(fit), static_cast<float>(limit(i)));
        const std::int32_t value = truncatedValue(copies, piece.value);
        if (value > best.value)
            best = {value, i, static_cast<std::int32_t>(copies)};
    }
    return best;
}

} // namespace

HomogeneousFill bestHomogeneous(std::int32_t a, std::int32_t b, const problem::TInstance& instance)
{
    HomogeneousFill best;
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        const std::int32_t rows = a / piece.height, columns = b / piece.length;
        const std::int32_t value = product32(product32(rows, piece.value), columns);
        if (value > best.value)
            best = {value, i, product32(rows, columns)};
    }
    return best;
}

std::int32_t homogeneousValue(std::int32_t a, std::int32_t b, const problem::TInstance& instance)
{
    return bestHomogeneous(a, b, instance).value;
}

HomogeneousFill bestHomogeneousWithin(std::int32_t a, std::int32_t b,
                                      std::span<const std::int32_t> remaining,
                                      const problem::TInstance& instance)
{
    return bestWithin(a, b, instance,
                      [&](int i) { return remaining[static_cast<std::size_t>(i)]; });
}

std::int32_t homogeneousDemandValue(std::int32_t a, std::int32_t b,
                                    const problem::TInstance& instance)
{
    return bestWithin(a, b, instance,
                      [&](int i) { return instance.pieces[static_cast<std::size_t>(i)].demand; })
        .value;
}

} // namespace andor
