#pragma once

#include "wang/fast/DemandPacking.h"

#include <cstdint>
#include <vector>

namespace wang {

// The keys of kept built records (inner waste, length and piece counts) when the counts pack:
// the packed words stand for the counts exactly, so each slot holds a whole key and a probe
// reads nothing else. The total waste needs no place: it is the plate area less the area of
// the pieces, in the same 32-bit arithmetic, so equal counts give equal total wastes. A built
// record holds at least one piece, so a key with no counts marks a free slot.
class PackedKeySet {
public:
    // One cache line holds two whole keys.
    struct alignas(32) Key {
        std::int32_t internalWaste = 0;
        std::int32_t length = 0;
        DemandPacking::Words counts{};

        // Field by field: a library comparison of the words costs more than the few it reads.
        bool operator==(const Key& other) const
        {
            bool same = internalWaste == other.internalWaste && length == other.length;
            for (std::size_t w = 0; w < counts.size(); ++w)
                same = same && counts[w] == other.counts[w];
            return same;
        }
    };

    PackedKeySet();

    // Inner waste and length in one word, then each count word, weighed by odd constants and
    // mixed: one multiplication per word.
    static std::uint64_t hashOf(const Key& key)
    {
        std::uint64_t sum = (std::uint64_t{static_cast<std::uint32_t>(key.internalWaste)} << 32 |
                             static_cast<std::uint32_t>(key.length)) *
                            0x9e3779b97f4a7c15ULL;
        for (const std::uint64_t word : key.counts)
            sum = (sum ^ word) * 0xbf58476d1ce4e5b9ULL;
        sum = (sum ^ (sum >> 31)) * 0x94d049bb133111ebULL;
        return sum ^ (sum >> 29);
    }

    // Asks for the slot where a key of this hash is looked for first, ahead of the lookup.
    void prefetch(std::uint64_t hash) const
    {
        __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
    }

    // hash is hashOf(key).
    bool contains(const Key& key, std::uint64_t hash) const;
    void insert(const Key& key, std::uint64_t hash);

private:
    static bool isFree(const Key& slot);
    void place(const Key& key, std::uint64_t hash);
    void grow();

    std::vector<Key> m_slots;
    std::size_t m_size = 0;
};

} // namespace wang
