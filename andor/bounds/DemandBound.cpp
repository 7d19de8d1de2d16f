#include "andor/bounds/DemandBound.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <limits>
#include <numeric>

namespace andor {

namespace {

float asBound(std::int64_t bound)
{
    if (bound >= std::int64_t{1} << 24)
        return std::numeric_limits<float>::infinity();
    return static_cast<float>(bound);
}

} // namespace

DemandBound::DemandBound(const problem::TInstance& instance, const FitTable& fits) : m_fits(fits)
{
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(i)];
        // A type that fits no part adds nothing to either bound; left out, every area stays
        // below 2^25 and the products below stay within 64 bits.
        const bool fitsThePlate =
            piece.height <= instance.plateHeight && piece.length <= instance.plateLength;
        if (piece.value > 0 && fitsThePlate)
            m_densestFirst.push_back({static_cast<std::size_t>(i),
                                      std::int64_t{piece.height} * piece.length, piece.value});
    }
    // Compared as cross products, exactly; the order among equal densities leaves the bound
    // unchanged.
    std::stable_sort(
        m_densestFirst.begin(), m_densestFirst.end(),
        [](const Piece& x, const Piece& y) { return x.value * y.area > y.value * x.area; });
    for (const Piece& piece : m_densestFirst) {
        const std::int32_t demand = instance.pieces[piece.type].demand;
        if (demand > 0)
            m_largestFirst.push_back({piece.type, piece.value, demand * piece.value});
    }
    std::stable_sort(m_largestFirst.begin(), m_largestFirst.end(),
                     [](const Filling& x, const Filling& y) { return x.most > y.most; });
    std::vector<std::size_t> densestOrder, largestOrder;
    for (const Piece& piece : m_densestFirst)
        densestOrder.push_back(piece.type);
    for (const Filling& filling : m_largestFirst)
        largestOrder.push_back(filling.type);
    m_densestFits = FitMasks(instance, densestOrder);
    m_largestFits = FitMasks(instance, largestOrder);
}

DemandBound::FitMasks::FitMasks(const problem::TInstance& instance,
                                const std::vector<std::size_t>& order)
    : m_shortEnough(static_cast<std::size_t>(instance.plateHeight) + 1),
      m_narrowEnough(static_cast<std::size_t>(instance.plateLength) + 1)
{
    for (std::size_t j = 0; j < order.size(); ++j) {
        const problem::TPieceType& piece = instance.pieces[order[j]];
        const std::uint64_t bit = std::uint64_t{1} << (j % 64);
        for (std::size_t a = static_cast<std::size_t>(piece.height); a < m_shortEnough.size(); ++a)
            m_shortEnough[a][j / 64] |= bit;
        for (std::size_t b = static_cast<std::size_t>(piece.length); b < m_narrowEnough.size(); ++b)
            m_narrowEnough[b][j / 64] |= bit;
    }
}

auto DemandBound::copiesWithin(RectSize part, std::span<const std::int32_t> demand) const
{
    return [this, part, demand](std::size_t type) {
        return std::min(m_fits.copiesThatFit(part.height, part.length, type), demand[type]);
    };
}

auto DemandBound::copiesWithinBoth(RectSize one, RectSize two,
                                   std::span<const std::int32_t> demand) const
{
    return [this, one, two, demand](std::size_t type) {
        return std::min(m_fits.copiesThatFit(one.height, one.length, type) +
                            m_fits.copiesThatFit(two.height, two.length, type),
                        demand[type]);
    };
}

float DemandBound::within(RectSize part, std::span<const std::int32_t> demand) const
{
    return asBound(fill(std::int64_t{part.height} * part.length, m_densestFits.of(part),
                        copiesWithin(part, demand)));
}

float DemandBound::withinBoth(RectSize one, RectSize two,
                              std::span<const std::int32_t> demand) const
{
    const std::int64_t room =
        std::int64_t{one.height} * one.length + std::int64_t{two.height} * two.length;
    return asBound(fill(room, m_densestFits.of(one, two), copiesWithinBoth(one, two, demand)));
}

float DemandBound::blocksWithin(RectSize part, std::span<const std::int32_t> demand,
                                std::int32_t levels) const
{
    return asBound(largestFillings(levels, m_largestFits.of(part), copiesWithin(part, demand)));
}

float DemandBound::blocksWithinBoth(RectSize one, RectSize two,
                                    std::span<const std::int32_t> demand, std::int32_t levels) const
{
    return asBound(largestFillings(levels + 1, m_largestFits.of(one, two),
                                   copiesWithinBoth(one, two, demand)));
}

template <typename Copies>
std::int64_t DemandBound::fill(std::int64_t room, const TypeMask& fits, Copies&& copiesOf) const
{
    std::int64_t bound = 0;
    for (std::size_t word = 0; word < fits.size(); ++word)
        for (std::uint64_t bits = fits[word]; bits != 0; bits &= bits - 1) {
            const Piece& piece =
                m_densestFirst[word * 64 + static_cast<std::size_t>(std::countr_zero(bits))];
            const std::int64_t copies = copiesOf(piece.type);
            if (copies * piece.area > room)
                return bound + room * piece.value / piece.area;
            bound += copies * piece.value;
            room -= copies * piece.area;
        }
    return bound;
}

template <typename Copies>
std::int64_t DemandBound::largestFillings(std::int32_t levels, const TypeMask& fits,
                                          Copies&& copiesOf) const
{
    const std::size_t types = m_largestFirst.size();
    if (levels >= maxBlockLevels || std::size_t{1} << levels >= types)
        return std::numeric_limits<std::int64_t>::max();
    // The largest so far, largest first.
    std::array<std::int64_t, std::size_t{1} << (maxBlockLevels - 1)> largest;
    const std::size_t blocks = std::size_t{1} << levels;
    std::size_t kept = 0;
    // False once no type from this one on can take a place: they come by their full demand's
    // filling, largest first.
    const auto add = [&](const Filling& piece) {
        const std::int64_t least = kept < blocks ? 0 : largest[blocks - 1];
        if (piece.most <= least)
            return false;
        const std::int64_t filling = std::max(copiesOf(piece.type), 0) * piece.value;
        if (filling <= least)
            return true;
        std::size_t at = kept < blocks ? kept++ : blocks - 1;
        for (; at > 0 && largest[at - 1] < filling; --at)
            largest[at] = largest[at - 1];
        largest[at] = filling;
        return true;
    };
    for (std::size_t word = 0, more = true; word < fits.size() && more; ++word)
        for (std::uint64_t bits = fits[word]; bits != 0 && more; bits &= bits - 1)
            more =
                add(m_largestFirst[word * 64 + static_cast<std::size_t>(std::countr_zero(bits))]);
    return std::accumulate(largest.begin(), largest.begin() + static_cast<std::ptrdiff_t>(kept),
                           std::int64_t{0});
}

} // namespace andor
