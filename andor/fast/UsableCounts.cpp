#include "andor/fast/UsableCounts.h"

#include <algorithm>

namespace andor {

namespace {

// Larger tables cost more to build and keep than the scans they replace.
constexpr std::size_t maxTableEntries = std::size_t{1} << 22;

} // namespace

UsableCounts::UsableCounts(const TDiscretizationSet& set, std::int32_t maxAlong,
                           std::int32_t maxAcross)
    : m_set(set)
{
    const auto count = static_cast<std::size_t>(std::max(set.count, 0));
    m_stride = static_cast<std::size_t>(maxAcross) + 1;
    if ((count + 1) * m_stride > maxTableEntries)
        return;
    // Positions ascend, so those that fit a side are the first ones.
    for (std::int32_t along = 0, end = 0; along <= maxAlong; ++along) {
        while (end < set.count && set.points[static_cast<std::size_t>(end)] <= along)
            ++end;
        m_endOf.push_back(end);
    }
    m_fitting.assign((count + 1) * m_stride, 0);
    for (std::size_t j = 0; j < count; ++j)
        for (std::size_t across = 0; across < m_stride; ++across)
            m_fitting[(j + 1) * m_stride + across] =
                m_fitting[j * m_stride + across] +
                (set.floors[j] <= static_cast<std::int32_t>(across) ? 1 : 0);
}

std::int32_t UsableCounts::count(std::int32_t start, std::int32_t along, std::int32_t across) const
{
    if (m_fitting.empty())
        return scan(start, along, across);
    const std::int32_t end = m_endOf[static_cast<std::size_t>(along)];
    if (start >= end)
        return 0;
    const auto column = static_cast<std::size_t>(across);
    return m_fitting[static_cast<std::size_t>(end) * m_stride + column] -
           m_fitting[static_cast<std::size_t>(start) * m_stride + column];
}

std::int32_t UsableCounts::scan(std::int32_t start, std::int32_t along, std::int32_t across) const
{
    std::int32_t count = 0;
    for (std::int32_t j = start;
         j < m_set.count && m_set.points[static_cast<std::size_t>(j)] <= along; ++j)
        count += m_set.floors[static_cast<std::size_t>(j)] <= across ? 1 : 0;
    return count;
}

} // namespace andor
