#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "andor/bounds/FillStairs.h"
#include "andor/bounds/FitTable.h"
#include "andor/fast/RectTable.h"

namespace andor {

// FitTable::bestWithin for remaining demands between none and the full ones, mostly answered
// from the rectangle's filling within the full demand. A smaller remaining demand can only
// lower each type's filling (one of negative value is worth nothing either way), so while the
// type that won within the full demand keeps its copies, it keeps its value and still wins,
// ties included. Otherwise only the types whose full filling is not below the best found so
// far can still win: a rectangle asked this way gets its types listed by their full filling.
class DemandFills {
public:
    DemandFills(const problem::TInstance& instance, const FitTable& fits, const PartSides& sides);

    // bestWithin(a, b, remaining) of the table, for 0 <= remaining <= the full demands.
    // Inline, as the search asks for one per leaf.
    HomogeneousFill within(std::int32_t a, std::int32_t b, std::span<const std::int32_t> remaining)
    {
        // A list starts with the full filling's type, so a rectangle that has one needs
        // nothing else; and while that type keeps its copies, not even the list.
        if (!m_lists.empty())
            if (const ListCell& cell = m_lists.at(a, b); cell.list != 0 && cell.list != noRoom) {
                if (keepsItsCopies(cell.first, remaining))
                    return {cell.first.fullValue, static_cast<std::int32_t>(cell.first.type),
                            static_cast<std::int32_t>(cell.first.copies)};
                return bestAmong(m_candidates.data() + (cell.list - 1), remaining);
            }
        if (!m_cells.empty() || m_fits.copiesExact()) {
            const HomogeneousFill fill = full(a, b);
            if (fill.type < 0 || remaining[static_cast<std::size_t>(fill.type)] >= fill.count)
                return fill;
            if (!m_cells.empty())
                if (const Candidate* first = candidatesOf(a, b))
                    return bestAmong(first, remaining);
        }
        return m_fits.bestWithin(a, b, remaining);
    }

    // The filling of a x b within the full demands.
    HomogeneousFill full(std::int32_t a, std::int32_t b)
    {
        if (m_cells.empty())
            return m_stairs.full(a, b);
        std::uint64_t& cell = m_cells.at(a, b);
        if (cell == 0)
            cell = cellOf(m_stairs.full(a, b));
        return fillOf(cell);
    }

private:
    // A type worth more than nothing within the full demand: that value and its copies. A
    // list ends with a value of 0.
    struct Candidate {
        std::int32_t fullValue;
        std::uint32_t copies : 24;
        std::uint32_t type : 8;
    };

    // Where a rectangle's list starts, 1 + its place, 0 when not made; and its first entry,
    // which is read before the rest, and held here to spare the search that read.
    struct ListCell {
        Candidate first;
        std::uint32_t list;
    };

    // The list of a x b, made the first time; none once the lists have taken their room.
    const Candidate* candidatesOf(std::int32_t a, std::int32_t b)
    {
        ListCell& cell = m_lists.at(a, b);
        if (cell.list == 0) {
            cell.list = listCandidates(a, b);
            if (cell.list != noRoom)
                cell.first = m_candidates[cell.list - 1];
        }
        return cell.list == noRoom ? nullptr : m_candidates.data() + (cell.list - 1);
    }

    // Whether a candidate keeps all its copies within the remaining demand. A list is made
    // only for a rectangle whose full filling has a type, so it is never empty.
    static bool keepsItsCopies(const Candidate& candidate, std::span<const std::int32_t> remaining)
    {
        return remaining[candidate.type] >= static_cast<std::int32_t>(candidate.copies);
    }

    std::uint32_t listCandidates(std::int32_t a, std::int32_t b);
    HomogeneousFill bestAmong(const Candidate* first,
                              std::span<const std::int32_t> remaining) const;

    static constexpr std::uint32_t noRoom = 0xFFFFFFFF;

    // A known cell holds value << 32 | (type + 1, or 0xFF for none) << 24 | copies; 0 is
    // unknown.
    static std::uint64_t cellOf(const HomogeneousFill& fill)
    {
        const std::uint64_t type = fill.type < 0 ? 0xFF : static_cast<std::uint64_t>(fill.type) + 1;
        return std::uint64_t{static_cast<std::uint32_t>(fill.value)} << 32 | type << 24 |
               static_cast<std::uint32_t>(fill.count);
    }

    static HomogeneousFill fillOf(std::uint64_t cell)
    {
        const auto type = static_cast<std::int32_t>((cell >> 24) & 0xFF);
        return {static_cast<std::int32_t>(cell >> 32), type == 0xFF ? -1 : type - 1,
                static_cast<std::int32_t>(cell & 0xFFFFFF)};
    }

    const FitTable& m_fits;
    std::vector<std::int32_t> m_demands;
    std::vector<std::int32_t> m_values;
    FillStairs m_stairs;
    RectTable<std::uint64_t> m_cells; // empty on plates too large for a table
    RectTable<ListCell> m_lists;
    std::vector<Candidate> m_candidates;
};

} // namespace andor
