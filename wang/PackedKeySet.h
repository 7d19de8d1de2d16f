#pragma once

#include "DemandPacking.h"

#include <cstdint>
#include <vector>

// The keys of kept built records (wastes, length and piece counts) when the counts pack: the
// packed words stand for the counts exactly, so each slot holds a whole key and a probe reads
// nothing else. A built record holds at least one piece, so a key with no counts marks a free
// slot.
class PackedKeySet {
  public:
    struct Key {
        std::int32_t internalWaste = 0;
        std::int32_t totalWaste = 0;
        std::int32_t length = 0;
        DemandPacking::Words counts{};

        bool operator==(const Key&) const = default;
    };

    PackedKeySet();

    static std::uint64_t hashOf(const Key& key);

    // Asks for the slot where a key of this hash is looked for first, ahead of the lookup.
    void prefetch(std::uint64_t hash) const {
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
