#pragma once

#include "wang/Pattern.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace wang {

// Tells, without a lookup, that many builds repeat the key of a record an earlier pass kept.
//
// Side by side, a record's key (inner waste, length, counts) depends only on the parts of its
// row, the records it lines up that are not themselves side by side: the inner waste is theirs
// plus each one's height below the tallest times its length, in whatever order they were
// joined. A row whose parts were kept in passes g1, g2, ... can be joined as a tree that puts
// each part at depth P - gi or less whenever 2^g1 + 2^g2 + ... <= 2^P (Kraft's inequality).
// Each join in that tree makes part of the row, so it passes the plate, waste and demand tests
// where the row does; each pass joins every pair of the list; so by pass P the row's key was
// kept. One above the other, columns do the same.
//
// A record's row weight is the sum of its parts' when it is a side-by-side build, otherwise
// 2^(the pass that kept it), 1 for the starting records; column weights likewise. It holds
// only where the arithmetic is exact and every side positive.
class LineWeights {
public:
    // Appends the weights of a record kept in `pass` (0 for the starting list), whose parts,
    // if it is a build, have theirs already.
    void append(const TPattern& record, int pass)
    {
        const std::uint32_t own = pass < 32 ? std::uint32_t{1} << pass : saturated;
        auto summed = [&](const std::vector<std::uint32_t>& weights) {
            const std::uint64_t sum =
                std::uint64_t{weights[index(record.first)]} + weights[index(record.second)];
            return static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, saturated));
        };
        m_rows.push_back(record.kind == kindHorizontal ? summed(m_rows) : own);
        m_columns.push_back(record.kind == kindVertical ? summed(m_columns) : own);
    }

    // The weights along which a join of this kind lines its parts up.
    const std::vector<std::uint32_t>& along(bool sideBySide) const
    {
        return sideBySide ? m_rows : m_columns;
    }

    // The most two parts may weigh together for their join in `pass` (from 1) to repeat a key
    // kept before it. A saturated weight exceeds it, so it never passes.
    static std::uint64_t repeatBound(int pass)
    {
        return std::uint64_t{1} << std::min(pass - 1, 31);
    }

private:
    static constexpr std::uint32_t saturated = std::numeric_limits<std::uint32_t>::max();

    static std::size_t index(std::int32_t record) { return static_cast<std::size_t>(record); }

    std::vector<std::uint32_t> m_rows;
    std::vector<std::uint32_t> m_columns;
};

} // namespace wang
