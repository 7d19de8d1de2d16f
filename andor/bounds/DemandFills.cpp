#include "andor/bounds/DemandFills.h"

#include <algorithm>

namespace andor {

namespace {

// On larger plates few rectangles are asked for more than once or twice, and the pages the
// table and its lists touch cost more than the looks at every type they save.
constexpr std::size_t maxCells = std::size_t{1} << 16;

// Where copies are exact as floats they also stay within their 24-bit field; elsewhere there
// is no table.
std::size_t tableCells(const FitTable& fits)
{
    return fits.copiesExact() ? maxCells : 0;
}

// The lists of all rectangles together hold no more entries (128 MiB); beyond, the table
// looks at every type.
constexpr std::size_t maxCandidates = std::size_t{1} << 24;

} // namespace

DemandFills::DemandFills(const problem::TInstance& instance, const FitTable& fits,
                         const PartSides& sides)
    : m_fits(fits), m_stairs(instance, fits), m_cells(sides, tableCells(fits)),
      m_lists(sides, tableCells(fits))
{
    // Room for every list at once: growing would copy them, and only what is filled is
    // touched.
    if (!m_lists.empty())
        m_candidates.reserve(
            std::min(maxCandidates,
                     sides.cellCount() * (static_cast<std::size_t>(instance.pieceCount) + 1)));
    for (int i = 0; i < instance.pieceCount; ++i) {
        m_demands.push_back(instance.pieces[static_cast<std::size_t>(i)].demand);
        m_values.push_back(instance.pieces[static_cast<std::size_t>(i)].value);
    }
}

// Best full filling first, the earlier type first among equals: the order in which the types
// can still win.
std::uint32_t DemandFills::listCandidates(std::int32_t a, std::int32_t b)
{
    const std::size_t start = m_candidates.size();
    if (start + m_demands.size() + 1 > maxCandidates)
        return noRoom;
    for (std::size_t i = 0; i < m_demands.size(); ++i) {
        const std::int32_t copies = std::min(m_fits.copiesThatFit(a, b, i), m_demands[i]);
        if (copies <= 0 || m_values[i] <= 0)
            continue;
        // Types come in table order, so an insertion that passes only smaller values keeps
        // equal ones in that order.
        const Candidate entry{copies * m_values[i], static_cast<std::uint32_t>(copies),
                              static_cast<std::uint32_t>(i)};
        m_candidates.push_back(entry);
        auto at = m_candidates.end() - 1;
        for (; at != m_candidates.begin() + static_cast<std::ptrdiff_t>(start) &&
               (at - 1)->fullValue < entry.fullValue;
             --at)
            *at = *(at - 1);
        *at = entry;
    }
    m_candidates.push_back({0, 0, 0});
    return static_cast<std::uint32_t>(start) + 1;
}

// The types in list order, up to the first whose full filling cannot beat the best so far.
HomogeneousFill DemandFills::bestAmong(const Candidate* first,
                                       std::span<const std::int32_t> remaining) const
{
    HomogeneousFill best;
    for (const Candidate* candidate = first; candidate->fullValue > 0; ++candidate) {
        const auto type = static_cast<std::int32_t>(candidate->type);
        if (candidate->fullValue < best.value ||
            (candidate->fullValue == best.value && type > best.type))
            break;
        const std::int32_t copies =
            std::min(static_cast<std::int32_t>(candidate->copies), remaining[candidate->type]);
        const std::int32_t value = copies * m_values[candidate->type];
        if (value > best.value || (value > 0 && value == best.value && type < best.type))
            best = {value, type, copies};
    }
    return best;
}

} // namespace andor
