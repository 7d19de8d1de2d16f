#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "andor/fast/SolvedStates.h"
#include "andor/fast/StateMemo.h"
#include "andor/fast/ZeroedMemory.h"

namespace andor {

// A fixed number of recently solved states, each in the one slot its key hashes to, where a
// state solved later replaces it. A slot keeps the whole key and the reading of the state's
// demand, so what it gives back is exact; only what it forgets must be solved again.
template <typename Count> class RecentStates {
public:
    // Slots for keys of keyWords words and readings of readingLength counts: a power of two of
    // them, no more than fit in about byteBudget bytes nor about maxSlots.
    RecentStates(std::size_t keyWords, std::size_t readingLength, std::size_t byteBudget,
                 std::size_t maxSlots)
        : m_keyWords(keyWords), m_readingLength(readingLength)
    {
        const std::size_t perSlot = keyWords * sizeof(std::int32_t) +
                                    readingLength * sizeof(Count) + sizeof(SolvedState) +
                                    sizeof(std::uint32_t);
        std::size_t slots = 1;
        while (slots * 2 * perSlot <= byteBudget && slots * 2 <= maxSlots)
            slots *= 2;
        m_mask = slots - 1;
        // Zeroed by the system as it is touched: slots never used cost nothing.
        m_block = allocateZeroed(slots * perSlot);
        auto* bytes = static_cast<std::byte*>(m_block.get());
        m_solved = reinterpret_cast<SolvedState*>(bytes);
        m_keys = reinterpret_cast<std::int32_t*>(bytes + slots * sizeof(SolvedState));
        m_tags = reinterpret_cast<std::uint32_t*>(m_keys + slots * keyWords);
        m_readings = reinterpret_cast<Count*>(m_tags + slots);
    }

    // The slot of key, and whether it holds that key.
    struct Place {
        std::size_t slot;
        std::uint32_t tag;
        bool holdsKey;
    };

    Place find(std::span<const std::int32_t> key) const
    {
        const std::uint64_t hash = hashOfKey(key);
        // A tag is never 0, which marks a slot never used.
        const std::uint32_t tag = static_cast<std::uint32_t>(hash >> 32) | 1u;
        const std::size_t slot = hash & m_mask;
        // The slot's four arrays are far apart: asking for all of them at once lets their
        // loads overlap instead of waiting on one another.
        __builtin_prefetch(m_keys + slot * m_keyWords);
        __builtin_prefetch(reading(slot));
        __builtin_prefetch(&m_solved[slot]);
        return {slot, tag, m_tags[slot] == tag && sameKey(slot, key)};
    }

    const Count* reading(std::size_t slot) const { return m_readings + slot * m_readingLength; }

    const SolvedState& solved(std::size_t slot) const { return m_solved[slot]; }

    // Puts a state in place.slot, replacing what it held; returns its reading to be filled in.
    Count* put(const Place& place, std::span<const std::int32_t> key, const SolvedState& solved)
    {
        m_tags[place.slot] = place.tag;
        std::copy(key.begin(), key.end(), m_keys + place.slot * m_keyWords);
        m_solved[place.slot] = solved;
        return m_readings + place.slot * m_readingLength;
    }

private:
    bool sameKey(std::size_t slot, std::span<const std::int32_t> key) const
    {
        return std::equal(key.begin(), key.end(), m_keys + slot * m_keyWords);
    }

    std::size_t m_keyWords;
    std::size_t m_readingLength;
    std::size_t m_mask = 0;
    // One block: the states first, whose alignment is the largest, then keys, tags, readings.
    ZeroedMemory m_block;
    SolvedState* m_solved = nullptr;
    std::int32_t* m_keys = nullptr;
    std::uint32_t* m_tags = nullptr;
    Count* m_readings = nullptr;
};

} // namespace andor
