#include "PieceCountPool.h"

namespace {

using Entry = PieceCountPool::Entry;

// Walks the union of two sorted count lists, handing each type with its summed count to
// `visit`; stops early when `visit` returns false.
template <typename Visit>
bool forEachSum(std::span<const Entry> a, std::span<const Entry> b, Visit visit) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        const bool takeA = j == b.size() || (i < a.size() && PieceCountPool::typeOf(a[i]) <=
                                                                 PieceCountPool::typeOf(b[j]));
        const bool takeB = i == a.size() || (j < b.size() && PieceCountPool::typeOf(b[j]) <=
                                                                 PieceCountPool::typeOf(a[i]));
        const std::size_t type = PieceCountPool::typeOf(takeA ? a[i] : b[j]);
        std::int64_t count = 0;
        if (takeA)
            count += PieceCountPool::countOf(a[i++]);
        if (takeB)
            count += PieceCountPool::countOf(b[j++]);
        if (!visit(type, count))
            return false;
    }
    return true;
}

} // namespace

void PieceCountPool::append(std::span<const Entry> entries) {
    m_entries.insert(m_entries.end(), entries.begin(), entries.end());
    m_starts.push_back(m_entries.size());
}

std::span<const PieceCountPool::Entry> PieceCountPool::of(std::size_t index) const {
    return {m_entries.data() + m_starts[index], m_entries.data() + m_starts[index + 1]};
}

bool PieceCountPool::fitsDemand(std::size_t q, std::size_t r, const Demands& demands) const {
    return forEachSum(of(q), of(r),
                      [&](std::size_t type, std::int64_t count) { return count <= demands[type]; });
}

void PieceCountPool::merge(std::size_t q, std::size_t r, std::vector<Entry>& out) const {
    out.clear();
    forEachSum(of(q), of(r), [&](std::size_t type, std::int64_t count) {
        // Only merged after fitsDemand, so the sum is within a 32-bit demand.
        out.push_back(entry(type, static_cast<std::uint32_t>(count)));
        return true;
    });
}
