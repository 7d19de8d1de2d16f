#include "SideIndex.h"

#include <algorithm>

SideIndex::SideIndex(const std::vector<TPattern>& patterns, std::size_t from, std::size_t to,
                     bool byHeight) {
    struct Keyed {
        std::int32_t key;
        Entry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(to - from);
    for (std::size_t i = from; i < to; ++i) {
        const TPattern& record = patterns[i];
        keyed.push_back({byHeight ? record.height : record.length,
                         {byHeight ? record.length : record.height, record.internalWaste,
                          static_cast<std::int32_t>(i)}});
    }
    std::ranges::sort(keyed, [](const Keyed& x, const Keyed& y) {
        return x.key != y.key ? x.key < y.key : x.entry.along < y.entry.along;
    });
    m_entries.reserve(keyed.size());
    for (const Keyed& item : keyed) {
        if (m_keys.empty() || m_keys.back() != item.key) {
            m_keys.push_back(item.key);
            m_starts.push_back(static_cast<std::uint32_t>(m_entries.size()));
        }
        m_entries.push_back(item.entry);
    }
    m_starts.push_back(static_cast<std::uint32_t>(m_entries.size()));
}

std::size_t SideIndex::firstGroupFrom(std::int64_t key) const {
    return static_cast<std::size_t>(
        std::ranges::lower_bound(m_keys, key, {}, [](std::int32_t k) { return std::int64_t{k}; }) -
        m_keys.begin());
}

std::span<const SideIndex::Entry> SideIndex::group(std::size_t group) const {
    return {m_entries.data() + m_starts[group], m_entries.data() + m_starts[group + 1]};
}
