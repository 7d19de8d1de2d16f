#include "andor/fast/StateMemo.h"

#include <algorithm>

#include "problem/MemoryGuard.h"

namespace andor {

StateMemo::StateMemo(int keyWords, std::size_t ownerBytesPerKey)
    : m_words(keyWords), m_ownerBytesPerKey(ownerBytesPerKey), m_slots(1024)
{
}

// Pairs of words are mixed apart and then summed, so that the multiplications do not wait on
// one another.
std::uint64_t hashOfKey(std::span<const std::int32_t> key)
{
    std::uint64_t hash = key.size();
    for (std::size_t w = 0; w < key.size(); w += 2) {
        std::uint64_t lane = static_cast<std::uint32_t>(key[w]);
        if (w + 1 < key.size())
            lane |= std::uint64_t{static_cast<std::uint32_t>(key[w + 1])} << 32;
        lane = (lane ^ (0x9E3779B97F4A7C15ull * (w + 1))) * 0xBF58476D1CE4E5B9ull;
        hash += lane ^ (lane >> 31);
    }
    hash *= 0x94D049BB133111EBull;
    return hash ^ (hash >> 29);
}

std::span<const std::int32_t> StateMemo::key(std::int32_t id) const
{
    return {m_keys.data() + static_cast<std::size_t>(id) * static_cast<std::size_t>(m_words),
            static_cast<std::size_t>(m_words)};
}

bool StateMemo::sameKey(std::int32_t id, std::span<const std::int32_t> key) const
{
    const std::int32_t* known =
        m_keys.data() + static_cast<std::size_t>(id) * static_cast<std::size_t>(m_words);
    for (int w = 0; w < m_words; ++w)
        if (known[w] != key[static_cast<std::size_t>(w)])
            return false;
    return true;
}

std::size_t StateMemo::slotOf(std::span<const std::int32_t> key, std::uint64_t hash) const
{
    const auto tag = static_cast<std::uint32_t>(hash >> 32);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (slot.id < 0 || (slot.tag == tag && sameKey(slot.id, key)))
            return at;
    }
}

std::pair<std::int32_t, bool> StateMemo::intern(std::span<const std::int32_t> key)
{
    if (static_cast<std::size_t>(m_size) * 2 >= m_slots.size())
        grow();
    const std::uint64_t hash = hashOfKey(key);
    Slot& slot = m_slots[slotOf(key, hash)];
    if (slot.id >= 0)
        return {slot.id, false};
    m_keys.insert(m_keys.end(), key.begin(), key.end());
    m_hashes.push_back(hash);
    slot = {m_size, static_cast<std::uint32_t>(hash >> 32)};
    return {m_size++, true};
}

void StateMemo::reserve(std::size_t keys)
{
    m_keys.reserve(keys * static_cast<std::size_t>(m_words));
    m_hashes.reserve(keys);
}

void StateMemo::grow()
{
    const std::size_t perKey = static_cast<std::size_t>(m_words) * sizeof(std::int32_t) +
                               sizeof(std::uint64_t) + m_ownerBytesPerKey;
    problem::processMemoryGuard().claim(m_slots.size() * 2 * sizeof(Slot) +
                                        static_cast<std::size_t>(m_size) * perKey);
    std::vector<Slot> slots(m_slots.size() * 2);
    const std::size_t mask = slots.size() - 1;
    for (std::int32_t id = 0; id < m_size; ++id) {
        const std::uint64_t hash = m_hashes[static_cast<std::size_t>(id)];
        std::size_t at = hash & mask;
        while (slots[at].id >= 0)
            at = (at + 1) & mask;
        slots[at] = {id, static_cast<std::uint32_t>(hash >> 32)};
    }
    m_slots = std::move(slots);
}

} // namespace andor
