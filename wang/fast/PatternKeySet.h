#pragma once

#include "wang/Pattern.h"
#include "wang/fast/PieceCountPool.h"

#include <cstdint>
#include <span>
#include <vector>

namespace wang {

// What makes two built records duplicates: equal wastes, length and piece counts.
struct PatternKey {
    std::int32_t internalWaste = 0;
    std::int32_t totalWaste = 0;
    std::int32_t length = 0;
    std::span<const PieceCountPool::Entry> counts;
    std::uint64_t hash = 0; // digest of the fields above, see makeKey
};

// The key of a record with these fields and counts, its digest computed.
PatternKey makeKey(std::int32_t internalWaste, std::int32_t totalWaste, std::int32_t length,
                   std::span<const PieceCountPool::Entry> counts);

// The keys of the kept built records, found by hashing instead of scanning the list; it holds
// record indices and reads the keys back from the list and the count pool.
class PatternKeySet {
public:
    PatternKeySet(const std::vector<TPattern>& patterns, const PieceCountPool& counts);

    // True when some record in the set has this key.
    bool contains(const PatternKey& key) const;

    // Adds record `index`, whose key is `key`.
    void insert(const PatternKey& key, std::int32_t index);

private:
    bool matches(std::uint64_t slot, const PatternKey& key) const;
    void place(std::uint64_t slot);
    void grow();

    const std::vector<TPattern>& m_patterns;
    const PieceCountPool& m_counts;
    // Each slot: high 32 bits the high half of the key's digest, which also picks the place,
    // low 32 bits the record index + 1; 0 is empty. Growing needs no digest recomputed.
    std::vector<std::uint64_t> m_slots;
    std::size_t m_size = 0;
};

} // namespace wang
