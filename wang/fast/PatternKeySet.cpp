#include "wang/fast/PatternKeySet.h"

#include <algorithm>

namespace wang {

namespace {

// Folds value into a running hash: the splitmix64 finaliser over the state.
std::uint64_t hashMix(std::uint64_t state, std::uint64_t value)
{
    std::uint64_t z = state ^ (value + 0x9e3779b97f4a7c15ULL + (state << 6) + (state >> 2));
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint32_t tagOf(std::uint64_t slotOrHash)
{
    return static_cast<std::uint32_t>(slotOrHash >> 32);
}

std::uint64_t toUnsigned(std::int32_t value)
{
    return static_cast<std::uint32_t>(value);
}

} // namespace

PatternKey makeKey(std::int32_t internalWaste, std::int32_t totalWaste, std::int32_t length,
                   std::span<const PieceCountPool::Entry> counts)
{
    std::uint64_t state = hashMix(0, toUnsigned(internalWaste) << 32 | toUnsigned(totalWaste));
    state = hashMix(state, toUnsigned(length));
    for (const PieceCountPool::Entry entry : counts)
        state = hashMix(state, entry);
    return {internalWaste, totalWaste, length, counts, state};
}

PatternKeySet::PatternKeySet(const std::vector<TPattern>& patterns, const PieceCountPool& counts)
    : m_patterns(patterns), m_counts(counts), m_slots(1024, 0)
{
}

bool PatternKeySet::matches(std::uint64_t slot, const PatternKey& key) const
{
    if (tagOf(slot) != tagOf(key.hash))
        return false;
    const std::size_t index = static_cast<std::uint32_t>(slot) - 1;
    const TPattern& record = m_patterns[index];
    return record.internalWaste == key.internalWaste && record.totalWaste == key.totalWaste &&
           record.length == key.length && std::ranges::equal(m_counts.of(index), key.counts);
}

bool PatternKeySet::contains(const PatternKey& key) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = tagOf(key.hash) & mask; m_slots[at] != 0; at = (at + 1) & mask)
        if (matches(m_slots[at], key))
            return true;
    return false;
}

void PatternKeySet::insert(const PatternKey& key, std::int32_t index)
{
    if (2 * (m_size + 1) > m_slots.size())
        grow();
    place(std::uint64_t{tagOf(key.hash)} << 32 | (static_cast<std::uint32_t>(index) + 1));
    ++m_size;
}

void PatternKeySet::place(std::uint64_t slot)
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = tagOf(slot) & mask;
    while (m_slots[at] != 0)
        at = (at + 1) & mask;
    m_slots[at] = slot;
}

void PatternKeySet::grow()
{
    std::vector<std::uint64_t> old(m_slots.size() * 2, 0);
    old.swap(m_slots);
    for (const std::uint64_t slot : old)
        if (slot != 0)
            place(slot);
}

} // namespace wang
