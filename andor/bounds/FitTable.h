#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <vector>

#include "andor/rules/HomogeneousFilling.h"
#include "problem/Instance.h"

namespace andor {

// The rows (a / h) and columns (b / l) of every piece type for every height and length of the
// plate, so that the fast engines value rectangles without a division. Gives exactly the
// results of bestHomogeneous, areaBound and bestHomogeneousWithin.
class FitTable {
public:
    explicit FitTable(const problem::TInstance& instance);

    // bestHomogeneous(a, b) for 0 <= a <= H, 0 <= b <= W.
    HomogeneousFill best(std::int32_t a, std::int32_t b) const;

    // areaBound(a, b) for 0 <= a <= H, 0 <= b <= W.
    double bound(std::int32_t a, std::int32_t b) const;

    // The most any pattern of a x b can be worth with unlimited copies: its area at the largest
    // value per unit area of a type that fits, rounded down. Unlike areaBound, whose densities
    // are truncated, it never falls below a pattern's value.
    std::int64_t densestFilling(std::int32_t a, std::int32_t b) const;

    // bestHomogeneousWithin(a, b, remaining) for 0 <= a <= H, 0 <= b <= W and remaining >= 0.
    HomogeneousFill bestWithin(std::int32_t a, std::int32_t b,
                               std::span<const std::int32_t> remaining) const;

    // The copies of each type that fit a x b: bestWithin reads no remaining demand beyond them.
    void fitCounts(std::int32_t a, std::int32_t b, std::span<std::int32_t> counts) const;

    // Whether every count of copies that fits the plate is exact as a float (its area is below
    // 2^24), so that fillings can be worked out in integers.
    bool copiesExact() const { return m_copiesExact; }

    // The copies of one type that fit a x b.
    std::int32_t copiesThatFit(std::int32_t a, std::int32_t b, std::size_t type) const
    {
        return rowsAt(a)[type] * columnsAt(b)[type];
    }

private:
    // One bit per type, in table order.
    using TypeMask = std::array<std::uint64_t, 2>;

    // Calls visit(i) for each type that fits a x b, in table order; a type that does not fit
    // gives every filling the value 0, which never wins.
    template <typename Visit>
    void forEachFitting(std::int32_t a, std::int32_t b, Visit&& visit) const
    {
        const TypeMask& tall = m_shortEnough[static_cast<std::size_t>(a)];
        const TypeMask& wide = m_narrowEnough[static_cast<std::size_t>(b)];
        for (std::size_t word = 0; word < tall.size(); ++word)
            for (std::uint64_t bits = tall[word] & wide[word]; bits != 0; bits &= bits - 1)
                visit(word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
    }

    // Where a height's entries start in a list kept per height: entries [at[a], at[a + 1]).
    template <typename Entry> struct PerHeight {
        std::vector<std::uint32_t> at{0};
        std::vector<Entry> entries;

        std::span<const Entry> of(std::int32_t a) const
        {
            const auto i = static_cast<std::size_t>(a);
            return {entries.data() + at[i], entries.data() + at[i + 1]};
        }
    };

    struct Stair {
        std::int32_t length;
        float density;
    };

    // From this length on, type is the one of greatest value per unit area, exactly.
    struct DensestStair {
        std::int32_t length;
        std::uint32_t type;
    };

    // The types that can fill a rectangle of height a best, in table order; a narrower or
    // equal type that fills more rows, or as much and comes earlier, always does at least as
    // well and keeps the ties. Also a's staircases of densities, truncated and exact.
    void listBestCandidates(const problem::TInstance& instance, std::int32_t a,
                            std::span<const std::size_t> narrowestFirst);

    const std::int32_t* rowsAt(std::int32_t a) const
    {
        return m_rows.data() + static_cast<std::size_t>(a) * m_n;
    }

    const std::int32_t* rowValuesAt(std::int32_t a) const
    {
        return m_rowValues.data() + static_cast<std::size_t>(a) * m_n;
    }

    const std::int32_t* columnsAt(std::int32_t b) const
    {
        return m_columns.data() + static_cast<std::size_t>(b) * m_n;
    }

    std::size_t m_n;
    bool m_copiesExact;
    std::vector<std::int32_t> m_values;
    std::vector<float> m_densities; // (v / h) / l with truncating divisions
    std::vector<std::int64_t> m_pieceAreas;
    std::vector<std::int32_t> m_rows;      // m_n per height
    std::vector<std::int32_t> m_rowValues; // m_n per height: rows times the type's value
    std::vector<std::int32_t> m_columns;   // m_n per length
    std::vector<TypeMask> m_shortEnough;   // per height a: the types of height <= a
    std::vector<TypeMask> m_narrowEnough;  // per length b: the types of length <= b
    // Per height, the types best() needs, the staircase of growing lengths and densities
    // from which bound() takes the densest type that fits, and the one of densestFilling().
    PerHeight<std::uint8_t> m_bestCandidates;
    PerHeight<Stair> m_densityStairs;
    PerHeight<DensestStair> m_densestStairs;
};

} // namespace andor
