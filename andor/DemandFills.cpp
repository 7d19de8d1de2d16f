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
