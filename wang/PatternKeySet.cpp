#include "PatternKeySet.h"

#include <algorithm>

namespace {

std::uint64_t mix(std::uint64_t state, std::uint64_t value)
{
    // splitmix64 finaliser over the running state.
    std::uint64_t z = state ^ (value + 0x9e3779b97f4a7c15ULL + (state << 6) + (state >> 2));
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint32_t tagOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

std::uint64_t toUnsigned(std::int32_t value) { return static_cast<std::uint32_t>(value); }

} // namespace

std::uint64_t PatternKey::hash() const
{
    std::uint64_t state = mix(0, toUnsigned(internalWaste) << 32 | toUnsigned(totalWaste));
    state = mix(state, toUnsigned(length));
    for (const PieceCountPool::Entry entry : counts)
        state = mix(state, entry);
    return state;
}

PatternKeySet::PatternKeySet(const std::vector<TPattern>& patterns, const PieceCountPool& counts)
    : m_patterns(patterns), m_counts(counts), m_slots(1024, 0)
{
}

bool PatternKeySet::matches(std::uint64_t slot, const PatternKey& key, std::uint32_t tag) const
{
    if (tagOf(slot) != tag)
        return false;
    const std::size_t index = static_cast<std::uint32_t>(slot) - 1;
    const TPattern& record = m_patterns[index];
    if (record.internalWaste != key.internalWaste || record.totalWaste != key.totalWaste ||
        record.length != key.length)
        return false;
    const auto counts = m_counts.of(index);
    return std::ranges::equal(counts, key.counts);
}

bool PatternKeySet::contains(const PatternKey& key) const
{
    const std::uint64_t hash = key.hash();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask; m_slots[at] != 0; at = (at + 1) & mask)
        if (matches(m_slots[at], key, tagOf(hash)))
            return true;
    return false;
}

void PatternKeySet::insert(const PatternKey& key, std::int32_t index)
{
    if (2 * (m_size + 1) > m_slots.size())
        grow();
    const std::uint64_t hash = key.hash();
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hash & mask;
    while (m_slots[at] != 0)
        at = (at + 1) & mask;
    m_slots[at] = std::uint64_t{tagOf(hash)} << 32 | (static_cast<std::uint32_t>(index) + 1);
    ++m_size;
}

void PatternKeySet::grow()
{
    std::vector<std::uint64_t> old(m_slots.size() * 2, 0);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const std::uint64_t slot : old) {
        if (slot == 0)
            continue;
        const std::size_t index = static_cast<std::uint32_t>(slot) - 1;
        const TPattern& record = m_patterns[index];
        const PatternKey key{record.internalWaste, record.totalWaste, record.length,
                             m_counts.of(index)};
        std::size_t at = key.hash() & mask;
        while (m_slots[at] != 0)
            at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}
