#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace andor {

// A 64-bit hash of a key of 32-bit words.
std::uint64_t hashOfKey(std::span<const std::int32_t> key);

// Interns fixed-length keys of 32-bit words and numbers them 0, 1, 2, ... in insertion order.
// Its slots double as keys come; before they do, the process's memory guard is asked for room
// for the keys and for what the owner keeps per key (ownerBytesPerKey) to double as well, and
// throws problem::MemoryLimitReached when there is none.
class StateMemo {
public:
    explicit StateMemo(int keyWords, std::size_t ownerBytesPerKey = 0);

    // The key's id and true when it was added now, false when it was known.
    std::pair<std::int32_t, bool> intern(std::span<const std::int32_t> key);

    // The words of the key with this id.
    std::span<const std::int32_t> key(std::int32_t id) const;

    std::int32_t size() const { return m_size; }

    // The memory its arrays take, by their capacity.
    std::size_t bytes() const
    {
        return m_keys.capacity() * sizeof(std::int32_t) +
               m_hashes.capacity() * sizeof(std::uint64_t) + m_slots.capacity() * sizeof(Slot);
    }

    // Makes room for this many keys at once, so that growing does not copy them.
    void reserve(std::size_t keys);

private:
    void grow();

    int m_words;
    std::size_t m_ownerBytesPerKey;
    std::int32_t m_size = 0;
    // One open-addressing slot: an id (-1 when free) and its hash's upper half, so that most
    // probes that miss are settled without reading the key.
    struct Slot {
        std::int32_t id = -1;
        std::uint32_t tag = 0;
    };

    bool sameKey(std::int32_t id, std::span<const std::int32_t> key) const;
    // The slot holding the key, or the free slot where it belongs.
    std::size_t slotOf(std::span<const std::int32_t> key, std::uint64_t hash) const;

    std::vector<std::int32_t> m_keys;    // m_words per id
    std::vector<std::uint64_t> m_hashes; // per id, so that growing reads no key
    std::vector<Slot> m_slots;
};

} // namespace andor
