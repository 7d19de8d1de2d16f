#include "DemandFills.h"

namespace {

// Copies stay below 2^24, exact as floats and within their field, on plates of fewer cells;
// a larger table would cost more memory than it saves.
constexpr std::size_t maxCells = std::size_t{1} << 23;

} // namespace

DemandFills::DemandFills(const TInstance& instance, const FitTable& fits)
    : m_fits(fits), m_cells(instance.plateHeight, instance.plateLength, maxCells)
{
    for (int i = 0; i < instance.pieceCount; ++i)
        m_demands.push_back(instance.pieces[static_cast<std::size_t>(i)].demand);
}

std::uint64_t DemandFills::cellOf(const HomogeneousFill& fill)
{
    const std::uint64_t type = fill.type < 0 ? 0xFF : static_cast<std::uint64_t>(fill.type) + 1;
    return std::uint64_t{static_cast<std::uint32_t>(fill.value)} << 32 | type << 24 |
           static_cast<std::uint32_t>(fill.count);
}

HomogeneousFill DemandFills::fillOf(std::uint64_t cell)
{
    const auto type = static_cast<std::int32_t>((cell >> 24) & 0xFF);
    return {static_cast<std::int32_t>(cell >> 32), type == 0xFF ? -1 : type - 1,
            static_cast<std::int32_t>(cell & 0xFFFFFF)};
}

HomogeneousFill DemandFills::full(std::int32_t a, std::int32_t b)
{
    if (m_cells.empty())
        return m_fits.bestWithin(a, b, m_demands);
    std::uint64_t& cell = m_cells.at(a, b);
    if (cell == 0)
        cell = cellOf(m_fits.bestWithin(a, b, m_demands));
    return fillOf(cell);
}

HomogeneousFill DemandFills::within(std::int32_t a, std::int32_t b,
                                    std::span<const std::int32_t> remaining)
{
    if (!m_cells.empty()) {
        const HomogeneousFill fill = full(a, b);
        if (fill.type < 0 || remaining[static_cast<std::size_t>(fill.type)] >= fill.count)
            return fill;
    }
    return m_fits.bestWithin(a, b, remaining);
}
