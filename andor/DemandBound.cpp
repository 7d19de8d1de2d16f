#include "DemandBound.h"

#include <algorithm>
#include <limits>

DemandBound::DemandBound(const TInstance& instance, const FitTable& fits) : m_fits(fits)
{
    for (int i = 0; i < instance.pieceCount; ++i) {
        const TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        if (piece.value > 0)
            m_densestFirst.push_back({static_cast<std::size_t>(i),
                                      std::int64_t{piece.height} * piece.length, piece.value});
    }
    // Compared as cross products, exactly; the order among equal densities leaves the bound
    // unchanged.
    std::stable_sort(m_densestFirst.begin(), m_densestFirst.end(),
                     [](const Piece& x, const Piece& y) {
                         return x.value * y.area > y.value * x.area;
                     });
}

float DemandBound::within(RectSize part, std::span<const std::int32_t> demand) const
{
    return fill(std::int64_t{part.height} * part.length, [&](std::size_t type) {
        return std::min(m_fits.copiesThatFit(part.height, part.length, type), demand[type]);
    });
}

float DemandBound::withinBoth(RectSize one, RectSize two,
                              std::span<const std::int32_t> demand) const
{
    const std::int64_t room =
        std::int64_t{one.height} * one.length + std::int64_t{two.height} * two.length;
    return fill(room, [&](std::size_t type) {
        return std::min(m_fits.copiesThatFit(one.height, one.length, type) +
                            m_fits.copiesThatFit(two.height, two.length, type),
                        demand[type]);
    });
}

template <typename Copies> float DemandBound::fill(std::int64_t room, Copies&& copiesOf) const
{
    std::int64_t bound = 0;
    for (const Piece& piece : m_densestFirst) {
        const std::int64_t copies = copiesOf(piece.type);
        if (copies * piece.area > room) {
            bound += room * piece.value / piece.area;
            break;
        }
        bound += copies * piece.value;
        room -= copies * piece.area;
    }
    if (bound >= std::int64_t{1} << 24)
        return std::numeric_limits<float>::infinity();
    return static_cast<float>(bound);
}
