#include "wang/fast/PackedKeySet.h"

namespace wang {

PackedKeySet::PackedKeySet() : m_slots(1024) {}

bool PackedKeySet::isFree(const Key& slot)
{
    std::uint64_t any = 0;
    for (const std::uint64_t word : slot.counts)
        any |= word;
    return any == 0;
}

bool PackedKeySet::contains(const Key& key, std::uint64_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask; !isFree(m_slots[at]); at = (at + 1) & mask)
        if (m_slots[at] == key)
            return true;
    return false;
}

void PackedKeySet::insert(const Key& key, std::uint64_t hash)
{
    if (2 * (m_size + 1) > m_slots.size())
        grow();
    place(key, hash);
    ++m_size;
}

void PackedKeySet::place(const Key& key, std::uint64_t hash)
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hash & mask;
    while (!isFree(m_slots[at]))
        at = (at + 1) & mask;
    m_slots[at] = key;
}

void PackedKeySet::grow()
{
    std::vector<Key> old(m_slots.size() * 2);
    old.swap(m_slots);
    for (const Key& slot : old)
        if (!isFree(slot))
            place(slot, hashOf(slot));
}

} // namespace wang
