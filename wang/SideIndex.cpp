#include "SideIndex.h"

#include <algorithm>

namespace {

// Few enough entries that a block passed over saves more than its test costs.
constexpr std::uint32_t blockSize = 8;

} // namespace

SideIndex::SideIndex(const std::vector<TPattern>& patterns, const PieceCountPool& counts,
                     std::size_t from, std::size_t to, bool byHeight) {
    struct Keyed {
        std::int32_t key;
        Entry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(to - from);
    const bool oneWord = counts.packsInOneWord();
    for (std::size_t i = from; i < to; ++i) {
        if (counts.overDemand(i))
            continue;
        const TPattern& record = patterns[i];
        keyed.push_back({byHeight ? record.height : record.length,
                         {byHeight ? record.length : record.height, record.internalWaste,
                          static_cast<std::int32_t>(i), oneWord ? counts.firstWordOf(i) : 0}});
    }
    std::ranges::sort(keyed, [](const Keyed& x, const Keyed& y) {
        return x.key != y.key ? x.key < y.key : x.entry.along < y.entry.along;
    });
    m_entries.reserve(keyed.size());
    std::uint32_t groupBegin = 0;
    for (const Keyed& item : keyed) {
        if (m_keys.empty() || m_keys.back() != item.key) {
            if (!m_keys.empty())
                addBlocks(groupBegin, static_cast<std::uint32_t>(m_entries.size()));
            groupBegin = static_cast<std::uint32_t>(m_entries.size());
            m_keys.push_back(item.key);
            m_firstBlocks.push_back(static_cast<std::uint32_t>(m_blocks.size()));
        }
        m_entries.push_back(item.entry);
    }
    if (!m_keys.empty())
        addBlocks(groupBegin, static_cast<std::uint32_t>(m_entries.size()));
    m_firstBlocks.push_back(static_cast<std::uint32_t>(m_blocks.size()));
    if (!oneWord)
        for (const Entry& entry : m_entries)
            m_sketches.push_back(counts.sketchOf(static_cast<std::size_t>(entry.index)));
}

void SideIndex::addBlocks(std::uint32_t begin, std::uint32_t end) {
    for (std::uint32_t start = begin; start < end; start += blockSize) {
        const std::uint32_t stop = std::min(end, start + blockSize);
        const auto first = m_entries.begin() + start;
        const std::int32_t leastAlong = first->along;
        std::ranges::sort(first, m_entries.begin() + stop, {}, &Entry::internalWaste);
        Block block{leastAlong, first->internalWaste, first->index, start, stop};
        for (std::uint32_t i = start; i < stop; ++i)
            block.highestIndex = std::max(block.highestIndex, m_entries[i].index);
        m_blocks.push_back(block);
    }
}

std::size_t SideIndex::firstGroupFrom(std::int64_t key) const {
    return static_cast<std::size_t>(
        std::ranges::lower_bound(m_keys, key, {}, [](std::int32_t k) { return std::int64_t{k}; }) -
        m_keys.begin());
}
