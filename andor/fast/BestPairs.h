#pragma once

#include <cstdint>
#include <vector>

#include "andor/DiscretizationSet.h"
#include "andor/fast/RectTable.h"

namespace andor {

// For a rectangle, the best pair of parts among the usable positions of each set from each
// start index on. In the unconstrained search the pair a position gives does not depend on the
// start indexes of the node that cuts there; so where every sum is a float exactly, the scan of
// a node keeps the earliest of the largest sums, which a suffix of the positions gives at
// once. A rectangle's suffixes are made the first time it is asked for; once the suffixes of
// all rectangles take maxEntries, no more are made.
class BestPairs {
public:
    BestPairs(const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
              const PartSides& sides);

    // The best pair from a start index: its sum (-1 when no position is usable), its index,
    // and how many positions from there are usable.
    // Indexes and counts are below maxSetPositions, which 16 bits hold.
    struct Best {
        float sum = -1.0f;
        std::int16_t index = -1;
        std::int16_t usable = 0;
    };

    struct Suffixes {
        const Best* alongHeight = nullptr; // by x index, up to the positions within the height
        std::int32_t heightPositions = 0;
        const Best* alongLength = nullptr;
        std::int32_t lengthPositions = 0;

        Best fromX(std::int32_t start) const { return alongHeight[clamp(start, heightPositions)]; }
        Best fromY(std::int32_t start) const { return alongLength[clamp(start, lengthPositions)]; }

    private:
        static std::int32_t clamp(std::int32_t start, std::int32_t count)
        {
            return start < count ? start : count;
        }
    };

    // The suffixes of a x b, with pairSum(alongHeight, index, position) giving the sum of the
    // pair a position makes; false when there is no room for them. The pair sums must not ask
    // this table for suffixes.
    template <typename PairSum>
    bool find(std::int32_t a, std::int32_t b, PairSum&& pairSum, Suffixes& suffixes)
    {
        if (m_starts.empty())
            return false;
        std::uint32_t& start = m_starts.at(a, b);
        if (start == 0)
            start = make(a, b, pairSum);
        if (start == noRoom)
            return false;
        suffixes = suffixesAt(start - 1, m_xWithin.of(a), m_yWithin.of(b));
        return true;
    }

    std::int64_t rectanglesMade() const { return m_made; }

private:
    static constexpr std::uint32_t noRoom = 0xFFFFFFFF;
    static constexpr std::size_t maxEntries = std::size_t{1} << 22; // 32 MiB of them

    // How many positions of a set lie within each side, by side up to the last position: no
    // more cells than the plate's sides have ranks.
    class PositionsWithin {
    public:
        explicit PositionsWithin(const TDiscretizationSet& set);
        std::int32_t of(std::int32_t side) const
        {
            return static_cast<std::size_t>(side) < m_counts.size()
                       ? m_counts[static_cast<std::size_t>(side)]
                       : m_all;
        }

    private:
        std::vector<std::int16_t> m_counts; // up to the last position
        std::int32_t m_all;
    };

    Suffixes suffixesAt(std::size_t at, std::int32_t nx, std::int32_t ny) const;

    template <typename PairSum>
    std::uint32_t make(std::int32_t a, std::int32_t b, PairSum&& pairSum)
    {
        const std::int32_t nx = m_xWithin.of(a), ny = m_yWithin.of(b);
        const std::size_t at = m_entries.size();
        if (at + static_cast<std::size_t>(nx + ny) + 2 > maxEntries)
            return noRoom;
        m_entries.resize(at + static_cast<std::size_t>(nx + ny) + 2);
        ++m_made;
        fill(&m_entries[at], m_xSet, nx, b,
             [&](std::int32_t j, std::int32_t x) { return pairSum(true, j, x); });
        fill(&m_entries[at + static_cast<std::size_t>(nx) + 1], m_ySet, ny, a,
             [&](std::int32_t k, std::int32_t y) { return pairSum(false, k, y); });
        return static_cast<std::uint32_t>(at) + 1;
    }

    // From the last position back, a position replaces the best of those after it when its
    // sum is not smaller, so that the earliest of equal sums is kept.
    template <typename PairSum>
    static void fill(Best* best, const TDiscretizationSet& set, std::int32_t count,
                     std::int32_t across, PairSum&& pairSum)
    {
        best[count] = {};
        for (std::int32_t i = count - 1; i >= 0; --i) {
            best[i] = best[i + 1];
            if (set.floors[static_cast<std::size_t>(i)] > across)
                continue;
            ++best[i].usable;
            const float sum = pairSum(i, set.points[static_cast<std::size_t>(i)]);
            if (sum >= best[i].sum) {
                best[i].sum = sum;
                best[i].index = static_cast<std::int16_t>(i);
            }
        }
    }

    const TDiscretizationSet& m_xSet;
    const TDiscretizationSet& m_ySet;
    PositionsWithin m_xWithin{m_xSet};
    PositionsWithin m_yWithin{m_ySet};
    RectTable<std::uint32_t> m_starts; // 1 + where a rectangle's suffixes start, 0 when not made
    std::vector<Best> m_entries;
    std::int64_t m_made = 0;
};

} // namespace andor
