#include "wang/fast/SideIndex.h"

#include <algorithm>

namespace wang {

SideIndex::SideIndex(const std::vector<TPattern>& patterns, const PieceCountPool& counts,
                     const HeavyTypeClasses& classes, const std::vector<std::uint32_t>& weights,
                     std::size_t from, std::size_t to, bool byHeight)
{
    struct Keyed {
        std::int32_t key;
        HeavyTypeClasses::Class heavy;
        Entry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(to - from);
    const bool oneWord = counts.packsInOneWord();
    for (std::size_t i = from; i < to; ++i) {
        if (counts.overDemand(i))
            continue;
        const TPattern& record = patterns[i];
        keyed.push_back(
            {byHeight ? record.height : record.length,
             classes.of(i),
             {byHeight ? record.length : record.height, record.internalWaste,
              static_cast<std::int32_t>(i), weights[i], oneWord ? counts.firstWordOf(i) : 0}});
    }
    std::ranges::sort(keyed, [](const Keyed& x, const Keyed& y) {
        if (x.key != y.key)
            return x.key < y.key;
        return x.heavy != y.heavy ? x.heavy < y.heavy : x.entry.along < y.entry.along;
    });
    m_entries.reserve(keyed.size());
    m_shelvesPerGroup = classes.count();
    std::uint32_t shelfBegin = 0;
    for (std::size_t k = 0; k < keyed.size(); ++k) {
        const Keyed& item = keyed[k];
        if (m_groups.empty() || m_groups.back().key != item.key)
            m_groups.push_back({item.key, item.entry.along, item.entry.internalWaste, 0});
        Group& group = m_groups.back();
        group.leastAlong = std::min(group.leastAlong, item.entry.along);
        group.leastWaste = std::min(group.leastWaste, item.entry.internalWaste);
        group.occupied |= std::uint32_t{1} << item.heavy;
        const std::size_t shelf = (m_groups.size() - 1) * m_shelvesPerGroup + item.heavy;
        if (shelf + 1 > m_firstBlocks.size()) {
            addBlocks(shelfBegin, static_cast<std::uint32_t>(k));
            shelfBegin = static_cast<std::uint32_t>(k);
            // Shelves left empty since the last one start and end here.
            m_firstBlocks.resize(shelf + 1, static_cast<std::uint32_t>(m_blocks.size()));
        }
        m_entries.push_back(item.entry);
    }
    addBlocks(shelfBegin, static_cast<std::uint32_t>(keyed.size()));
    m_firstBlocks.resize(m_groups.size() * m_shelvesPerGroup + 1,
                         static_cast<std::uint32_t>(m_blocks.size()));
    if (!oneWord)
        for (const Entry& entry : m_entries)
            m_sketches.push_back(counts.sketchOf(static_cast<std::size_t>(entry.index)));
}

void SideIndex::addBlocks(std::uint32_t begin, std::uint32_t end)
{
    for (std::uint32_t start = begin; start < end; start += blockLimit) {
        const std::uint32_t stop = std::min(end, start + blockLimit);
        const auto first = m_entries.begin() + start;
        const std::int32_t leastAlong = first->along;
        std::ranges::sort(first, m_entries.begin() + stop, {}, &Entry::internalWaste);
        Block block{leastAlong, first->internalWaste, first->index, start, stop};
        for (std::uint32_t i = start; i < stop; ++i)
            block.highestIndex = std::max(block.highestIndex, m_entries[i].index);
        m_blocks.push_back(block);
    }
}

std::size_t SideIndex::firstGroupFrom(std::int64_t key) const
{
    return static_cast<std::size_t>(
        std::ranges::lower_bound(m_groups, key, {},
                                 [](const Group& group) { return std::int64_t{group.key}; }) -
        m_groups.begin());
}

} // namespace wang
