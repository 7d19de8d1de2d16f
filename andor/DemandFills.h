#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "FitTable.h"
#include "RectTable.h"

// FitTable::bestWithin for remaining demands between none and the full ones, mostly answered
// from the rectangle's filling within the full demand. A smaller remaining demand can only
// lower each type's filling (one of negative value is worth nothing either way), so while the
// type that won within the full demand keeps its copies, it keeps its value and still wins,
// ties included.
class DemandFills {
public:
    DemandFills(const TInstance& instance, const FitTable& fits);

    // bestWithin(a, b, remaining) of the table, for 0 <= remaining <= the full demands.
    HomogeneousFill within(std::int32_t a, std::int32_t b, std::span<const std::int32_t> remaining);

    // The filling of a x b within the full demands.
    HomogeneousFill full(std::int32_t a, std::int32_t b);

private:
    // A known cell holds value << 32 | (type + 1, or 0xFF for none) << 24 | copies; 0 is
    // unknown.
    static std::uint64_t cellOf(const HomogeneousFill& fill);
    static HomogeneousFill fillOf(std::uint64_t cell);

    const FitTable& m_fits;
    std::vector<std::int32_t> m_demands;
    RectTable<std::uint64_t> m_cells; // empty on plates too large for a table
};
