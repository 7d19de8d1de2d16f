#include "wang/WangPattern.h"

#include <cstdint>

namespace wang {

namespace {

// A rectangle of the plate still to be cut, and the cut that made it.
struct Region {
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t height = 0;
    std::int32_t length = 0;
    int stage = 0; // 0 for the plate itself
    bool horizontal = false;
};

// Cuts a region at `offset` from its top (horizontal) or left side and returns both parts.
std::pair<Region, Region> split(pattern::CuttingPattern& pattern, const Region& region,
                                bool horizontal, std::int32_t offset)
{
    const int stage = region.stage == 0                 ? 1
                      : horizontal == region.horizontal ? region.stage
                                                        : region.stage + 1;
    Region first = region, second = region;
    first.stage = second.stage = stage;
    first.horizontal = second.horizontal = horizontal;
    if (horizontal) {
        pattern.cuts.push_back({region.top + offset, region.left, region.top + offset,
                                region.left + region.length, stage});
        first.height = offset;
        second.top += offset;
        second.height -= offset;
    } else {
        pattern.cuts.push_back({region.top, region.left + offset, region.top + region.height,
                                region.left + offset, stage});
        first.length = offset;
        second.left += offset;
        second.length -= offset;
    }
    return {first, second};
}

// Cuts the region down to height x length at its top-left corner, the rest left as waste.
Region trim(pattern::CuttingPattern& pattern, Region region, std::int32_t height,
            std::int32_t length)
{
    if (height > 0 && height < region.height)
        region = split(pattern, region, true, height).first;
    if (length > 0 && length < region.length)
        region = split(pattern, region, false, length).first;
    return region;
}

class WangPlacer {
public:
    WangPlacer(const std::vector<TPattern>& patterns, const problem::TInstance& instance)
        : m_patterns(patterns), m_instance(instance)
    {
        m_pattern.plateHeight = instance.plateHeight;
        m_pattern.plateLength = instance.plateLength;
    }

    pattern::CuttingPattern place(std::size_t index)
    {
        if (index >= m_patterns.size())
            return std::move(m_pattern);
        const Region plate{0, 0, m_instance.plateHeight, m_instance.plateLength};
        m_pending.push_back({plate, index});
        // An explicit stack: a chain of builds can be far deeper than the call stack allows.
        while (!m_pending.empty()) {
            const auto [region, record] = m_pending.back();
            m_pending.pop_back();
            placeRecord(region, record);
        }
        return std::move(m_pattern);
    }

private:
    void placeRecord(const Region& space, std::size_t index)
    {
        const TPattern& record = m_patterns[index];
        const Region region = trim(m_pattern, space, record.height, record.length);
        if (record.kind == kindPiece || record.first == noPart) {
            m_pattern.pieces.push_back({static_cast<std::int32_t>(index), region.top, region.left,
                                        record.height, record.length});
            return;
        }
        const auto firstIndex = static_cast<std::size_t>(record.first);
        const auto secondIndex = static_cast<std::size_t>(record.second);
        const TPattern& first = m_patterns[firstIndex];
        const bool sideBySide = record.kind == kindHorizontal;
        const auto [firstRegion, secondRegion] =
            split(m_pattern, region, !sideBySide, sideBySide ? first.length : first.height);
        // The second part is pushed first so that the first part's cuts come first.
        m_pending.push_back({secondRegion, secondIndex});
        m_pending.push_back({firstRegion, firstIndex});
    }

    const std::vector<TPattern>& m_patterns;
    const problem::TInstance& m_instance;
    pattern::CuttingPattern m_pattern;
    std::vector<std::pair<Region, std::size_t>> m_pending;
};

} // namespace

pattern::CuttingPattern wangCuttingPattern(const std::vector<TPattern>& patterns, std::size_t index,
                                           const problem::TInstance& instance)
{
    return WangPlacer(patterns, instance).place(index);
}

} // namespace wang
