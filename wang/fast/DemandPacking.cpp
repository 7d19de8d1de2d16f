#include "wang/fast/DemandPacking.h"

#include <bit>
#include <limits>

namespace wang {

DemandPacking::DemandPacking(std::span<const std::int64_t> demands, int typeCount)
    : m_demands(demands)
{
    std::size_t word = 0;
    int used = 0;
    for (int i = 0; i < typeCount && m_usable; ++i) {
        const std::int64_t demand = demands[static_cast<std::size_t>(i)];
        // Demands come from 32-bit fields, so a field never needs more than 32 bits.
        if (demand < 0 || demand > std::numeric_limits<std::int32_t>::max()) {
            m_usable = false;
            break;
        }
        // A type without demand needs no field: any record holding it is over its demand.
        if (demand == 0)
            continue;
        const int width = std::bit_width(static_cast<std::uint64_t>(demand));
        if (used + width + 1 > 64) {
            ++word;
            used = 0;
        }
        if (word >= wordCount) {
            m_usable = false;
            break;
        }
        m_oneWord = word == 0;
        m_fields[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(word),
                                                 static_cast<std::uint8_t>(used)};
        m_demandWords[word] |= static_cast<std::uint64_t>(demand) << used;
        m_guards[word] |= std::uint64_t{1} << (used + width);
        used += width + 1;
    }
}

DemandPacking::Packed DemandPacking::pack(std::span<const std::uint64_t> counts) const
{
    Packed packed;
    for (const std::uint64_t entry : counts) {
        const auto type = static_cast<std::size_t>(entry >> 32);
        const auto count = static_cast<std::uint32_t>(entry);
        if (std::int64_t{count} > m_demands[type]) {
            packed.overDemand = true;
            continue;
        }
        const Field& field = m_fields[type];
        packed.words[field.word] |= std::uint64_t{count} << field.shift;
    }
    return packed;
}

} // namespace wang
