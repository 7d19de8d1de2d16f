#include "PackedKeySet.h"

#include "HashMix.h"

PackedKeySet::PackedKeySet() : m_slots(1024) {}

std::uint64_t PackedKeySet::hashOf(const Key& key) {
    const std::uint64_t wastes =
        std::uint64_t{static_cast<std::uint32_t>(key.internalWaste)} << 32 |
        static_cast<std::uint32_t>(key.totalWaste);
    std::uint64_t state = hashMix(0, wastes);
    state = hashMix(state, static_cast<std::uint32_t>(key.length));
    for (const std::uint64_t word : key.counts)
        state = hashMix(state, word);
    return state;
}

bool PackedKeySet::isFree(const Key& slot) {
    return slot.counts == DemandPacking::Words{};
}

bool PackedKeySet::contains(const Key& key, std::uint64_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask; !isFree(m_slots[at]); at = (at + 1) & mask)
        if (m_slots[at] == key)
            return true;
    return false;
}

void PackedKeySet::insert(const Key& key, std::uint64_t hash) {
    if (2 * (m_size + 1) > m_slots.size())
        grow();
    place(key, hash);
    ++m_size;
}

void PackedKeySet::place(const Key& key, std::uint64_t hash) {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hash & mask;
    while (!isFree(m_slots[at]))
        at = (at + 1) & mask;
    m_slots[at] = key;
}

void PackedKeySet::grow() {
    std::vector<Key> old(m_slots.size() * 2);
    old.swap(m_slots);
    for (const Key& slot : old)
        if (!isFree(slot))
            place(slot, hashOf(slot));
}
