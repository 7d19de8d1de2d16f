#include "StateMemo.h"

#include <algorithm>

StateMemo::StateMemo(int keyWords) : m_words(keyWords), m_slots(1024, -1) {}

std::uint64_t StateMemo::hashOf(std::span<const std::int32_t> key) const {
    std::uint64_t hash = 0x9E3779B97F4A7C15ull;
    for (std::int32_t word : key) {
        hash ^= static_cast<std::uint32_t>(word);
        hash *= 0xBF58476D1CE4E5B9ull;
        hash ^= hash >> 29;
    }
    return hash ^ (hash >> 32);
}

std::span<const std::int32_t> StateMemo::key(std::int32_t id) const {
    return {m_keys.data() + static_cast<std::size_t>(id) * static_cast<std::size_t>(m_words),
            static_cast<std::size_t>(m_words)};
}

std::pair<std::int32_t, bool> StateMemo::intern(std::span<const std::int32_t> key) {
    if (static_cast<std::size_t>(m_size) * 2 >= m_slots.size())
        grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hashOf(key) & mask;; slot = (slot + 1) & mask) {
        const std::int32_t id = m_slots[slot];
        if (id < 0) {
            m_keys.insert(m_keys.end(), key.begin(), key.end());
            m_slots[slot] = m_size;
            return {m_size++, true};
        }
        const auto known = this->key(id);
        if (std::equal(known.begin(), known.end(), key.begin()))
            return {id, false};
    }
}

void StateMemo::grow() {
    std::vector<std::int32_t> slots(m_slots.size() * 2, -1);
    const std::size_t mask = slots.size() - 1;
    for (std::int32_t id = 0; id < m_size; ++id) {
        std::size_t slot = hashOf(key(id)) & mask;
        while (slots[slot] >= 0)
            slot = (slot + 1) & mask;
        slots[slot] = id;
    }
    m_slots = std::move(slots);
}
