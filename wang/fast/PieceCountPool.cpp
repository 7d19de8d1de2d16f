#include "wang/fast/PieceCountPool.h"

namespace wang {

namespace {

using Entry = PieceCountPool::Entry;

// Walks the union of two sorted count lists, handing each type with its summed count to
// `visit`; stops early when `visit` returns false.
template <typename Visit>
bool forEachSum(std::span<const Entry> a, std::span<const Entry> b, Visit visit)
{
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

void PieceCountPool::append(std::span<const Entry> entries)
{
    m_entries.insert(m_entries.end(), entries.begin(), entries.end());
    m_starts.push_back(m_entries.size());
    // Packed counts settle every demand test; the masks serve only where counts do not pack.
    if (m_packing.usable()) {
        m_packed.push_back(m_packing.pack(entries));
        return;
    }
    Masks masks;
    for (const Entry entry : entries) {
        const std::size_t type = typeOf(entry);
        const std::uint64_t bit = std::uint64_t{1} << (type % 64);
        masks.present[type / 64] |= bit;
        if (countOf(entry) >= m_demands[type])
            masks.full[type / 64] |= bit;
        // A piece beyond its demand (demand 0 or less) fails with any partner.
        if (countOf(entry) > m_demands[type])
            masks.present = masks.full = {~std::uint64_t{0}, ~std::uint64_t{0}};
    }
    m_masks.push_back(masks);
}

PieceCountPool::Sketch PieceCountPool::sketchOf(std::size_t index) const
{
    if (m_packing.usable())
        return m_packed[index];
    return {{m_masks[index].present[0], m_masks[index].full[0]}, false};
}

bool PieceCountPool::fitsDemand(std::size_t q, const Sketch& qSketch, std::size_t r,
                                const Sketch& rSketch) const
{
    if (m_packing.usable())
        return m_packing.fits(qSketch, rSketch);
    if (m_typeCount > 64)
        return fitsBySummedCounts(q, r);
    // The sketches are the masks of every type.
    const std::uint64_t qPresent = qSketch.words[0], qFull = qSketch.words[1];
    const std::uint64_t rPresent = rSketch.words[0], rFull = rSketch.words[1];
    if ((qFull & rPresent) | (qPresent & rFull))
        return false;
    // Types in one part only keep that part's count, which is within its demand.
    return (qPresent & rPresent) == 0 || fitsBySummedCounts(q, r);
}

std::span<const PieceCountPool::Entry> PieceCountPool::of(std::size_t index) const
{
    return {m_entries.data() + m_starts[index], m_entries.data() + m_starts[index + 1]};
}

bool PieceCountPool::fitsBySummedCounts(std::size_t q, std::size_t r) const
{
    const Masks& x = m_masks[q];
    const Masks& y = m_masks[r];
    std::uint64_t shared = 0;
    for (std::size_t w = 0; w < 2; ++w) {
        if ((x.full[w] & y.present[w]) | (x.present[w] & y.full[w]))
            return false;
        shared |= x.present[w] & y.present[w];
    }
    // Types in one part only keep that part's count, which is within its demand.
    if (shared == 0)
        return true;
    return forEachSum(of(q), of(r), [&](std::size_t type, std::int64_t count) {
        return count <= m_demands[type];
    });
}

void PieceCountPool::merge(std::size_t q, std::size_t r, std::vector<Entry>& out) const
{
    out.clear();
    forEachSum(of(q), of(r), [&](std::size_t type, std::int64_t count) {
        // Only merged after fitsDemand, so the sum is within a 32-bit demand.
        out.push_back(entry(type, static_cast<std::uint32_t>(count)));
        return true;
    });
}

} // namespace wang
