#pragma once

#include "wang/Pattern.h"
#include "wang/fast/HeavyTypeClasses.h"
#include "wang/fast/PieceCountPool.h"

#include <cstdint>
#include <span>
#include <vector>

namespace wang {

// A range of records grouped by one side (the key), within a group shelved by heavy-type
// class and sorted within a shelf by the other side, cut into short blocks that know their
// least side, least inner waste and highest list position. Within a block the entries go by
// ascending inner waste, so that a scan leaves a block at the first entry whose waste is too
// large. The partners a join can accept are thus found without looking at all the others.
class SideIndex {
public:
    // The most entries a block holds: few enough that a block passed over saves more than
    // its test costs.
    static constexpr std::uint32_t blockLimit = 8;

    // One record as the index holds it: small, as a scan reads many.
    struct Entry {
        std::int32_t along = 0; // the side the group is sorted by
        std::int32_t internalWaste = 0;
        std::int32_t index = 0;      // position in the pattern list
        std::uint32_t weight = 0;    // along the joins the index serves (LineWeights)
        std::uint64_t firstWord = 0; // of its packed counts, where they fill one word
    };

    // A run of consecutive entries of one shelf, itself ordered by inner waste.
    struct Block {
        std::int32_t leastAlong = 0;
        std::int32_t leastWaste = 0;
        std::int32_t highestIndex = 0;
        std::uint32_t begin = 0;
        std::uint32_t end = 0;
    };

    // The records of one key.
    struct Group {
        std::int32_t key = 0;
        std::int32_t leastAlong = 0;
        std::int32_t leastWaste = 0;
        std::uint32_t occupied = 0; // bit c is set where it has records of class c
    };

    // Indexes records [from, to) of the list, but those that join with none; by height
    // (sorted by length) for joins side by side, or by length; `weights` are the records'
    // weights along those joins.
    SideIndex(const std::vector<TPattern>& patterns, const PieceCountPool& counts,
              const HeavyTypeClasses& classes, const std::vector<std::uint32_t>& weights,
              std::size_t from, std::size_t to, bool byHeight);

    // Number of groups, one per distinct key.
    std::size_t groupCount() const { return m_groups.size(); }
    // The first group whose key is not below `key`.
    std::size_t firstGroupFrom(std::int64_t key) const;
    const Group& group(std::size_t index) const { return m_groups[index]; }
    // The blocks of the shelf of a group and a class, in ascending `along` from one block to
    // the next; none where the group has no record of that class.
    std::span<const Block> blocks(std::size_t group, HeavyTypeClasses::Class heavy) const
    {
        const std::size_t shelf = group * m_shelvesPerGroup + heavy;
        return {m_blocks.data() + m_firstBlocks[shelf], m_blocks.data() + m_firstBlocks[shelf + 1]};
    }
    // The entries of a block, by ascending inner waste.
    std::span<const Entry> entries(const Block& block) const
    {
        return {m_entries.data() + block.begin, m_entries.data() + block.end};
    }

    // The sketch of an entry's counts, where they do not fill one word.
    const PieceCountPool::Sketch& sketchOf(const Entry& entry) const
    {
        return m_sketches[static_cast<std::size_t>(&entry - m_entries.data())];
    }

private:
    void addBlocks(std::uint32_t begin, std::uint32_t end);

    std::vector<Entry> m_entries;
    std::vector<PieceCountPool::Sketch> m_sketches; // per entry, where counts need more words
    std::vector<Block> m_blocks;
    std::vector<Group> m_groups; // by ascending key
    // The first block of every shelf, group by group and class by class, then one past the last.
    std::vector<std::uint32_t> m_firstBlocks;
    std::size_t m_shelvesPerGroup = 1; // one per class
};

} // namespace wang
