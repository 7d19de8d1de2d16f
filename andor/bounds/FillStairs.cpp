#include "andor/bounds/FillStairs.h"

#include <algorithm>

namespace andor {

namespace {

// A staircase of more steps than this per type would cost more to build and search than
// looking at every type each time.
constexpr std::size_t maxStepsPerType = 8;

} // namespace

FillStairs::FillStairs(const problem::TInstance& instance, const FitTable& fits)
    : m_instance(instance), m_fits(fits)
{
    for (int i = 0; i < instance.pieceCount; ++i)
        m_demands.push_back(instance.pieces[static_cast<std::size_t>(i)].demand);
    if (fits.copiesExact())
        m_stairs.resize(static_cast<std::size_t>(instance.plateHeight) + 1);
}

HomogeneousFill FillStairs::full(std::int32_t a, std::int32_t b)
{
    if (m_stairs.empty())
        return m_fits.bestWithin(a, b, m_demands);
    Stair& stair = m_stairs[static_cast<std::size_t>(a)];
    if (stair.count == unbuilt)
        stair = build(a);
    if (stair.count == tooManySteps)
        return m_fits.bestWithin(a, b, m_demands);
    const Step* first = m_steps.data() + stair.first;
    const Step* last = first + stair.count;
    const Step* after = std::upper_bound(
        first, last, b, [](std::int32_t length, const Step& step) { return length < step.length; });
    return after == first ? HomogeneousFill{} : (after - 1)->fill;
}

// Each type's filling only grows with the length, so the best one changes only where some
// type's grows: to that type when it passes the best, or equals it from an earlier place in
// the table.
FillStairs::Stair FillStairs::build(std::int32_t a)
{
    struct Rise {
        std::int32_t length;
        std::size_t type;
    };
    std::vector<Rise> rises;
    const std::size_t most = maxStepsPerType * m_demands.size();
    for (std::size_t i = 0; i < m_demands.size(); ++i) {
        const problem::TPieceType& piece = m_instance.pieces[i];
        if (piece.value <= 0 || piece.demand <= 0 || piece.height > a)
            continue;
        const std::int32_t rows = a / piece.height;
        // In 64 bits: a demand near 2^31 would overflow on its way up to whole columns.
        const std::int64_t columnsToMeetDemand = (std::int64_t{piece.demand} + rows - 1) / rows;
        for (std::int64_t columns = 1; columns <= columnsToMeetDemand; ++columns) {
            const std::int64_t length = columns * piece.length;
            if (length > m_instance.plateLength)
                break;
            if (rises.size() == most)
                return {0, tooManySteps};
            rises.push_back({static_cast<std::int32_t>(length), i});
        }
    }
    std::sort(rises.begin(), rises.end(),
              [](const Rise& x, const Rise& y) { return x.length < y.length; });
    const auto first = static_cast<std::uint32_t>(m_steps.size());
    HomogeneousFill best;
    for (std::size_t r = 0; r < rises.size(); ++r) {
        const Rise& rise = rises[r];
        const problem::TPieceType& piece = m_instance.pieces[rise.type];
        const std::int32_t copies =
            std::min(a / piece.height * (rise.length / piece.length), piece.demand);
        const std::int32_t value = copies * piece.value;
        const auto type = static_cast<std::int32_t>(rise.type);
        if (value > best.value || (value == best.value && type < best.type))
            best = {value, type, copies};
        if (r + 1 == rises.size() || rises[r + 1].length != rise.length)
            m_steps.push_back({rise.length, best});
    }
    return {first, static_cast<std::uint32_t>(m_steps.size()) - first};
}

} // namespace andor
