#pragma once

#include "problem/Instance.h"

#include <array>
#include <cstdint>
#include <span>

namespace wang {

// Piece counts packed into three 64-bit words, one field per type with a guard bit above it, so
// that whether two records together respect every demand takes a few word operations. A field
// holds its type's demand d in w bits (2^w > d); two counts within d sum below 2^(w+1), so the
// sum never leaves its field with the guard. Only for instances whose fields fit in 192 bits.
class DemandPacking {
public:
    static constexpr std::size_t wordCount = 3;
    using Words = std::array<std::uint64_t, wordCount>;

    struct Packed {
        Words words{};
        bool overDemand = false; // a count beyond its demand: never joins
    };

    // Packs the first typeCount of these demands; demands must outlive the packing.
    DemandPacking(std::span<const std::int64_t> demands, int typeCount);

    // False when the fields of this instance do not fit.
    bool usable() const { return m_usable; }

    // Counts as the count pool keeps them, each type << 32 | count.
    Packed pack(std::span<const std::uint64_t> counts) const;

    // True when two records' counts summed stay within every demand.
    bool fits(const Packed& q, const Packed& r) const
    {
        if (q.overDemand || r.overDemand)
            return false;
        for (std::size_t word = 0; word < wordCount; ++word)
            if (!sumFits(word, q.words[word] + r.words[word]))
                return false;
        return true;
    }

    // True when every field sits in the first word.
    bool oneWord() const { return m_oneWord; }

    // fits() for counts that fill only the first word, neither of them beyond its demand.
    bool fitsFirstWord(std::uint64_t q, std::uint64_t r) const { return sumFits(0, q + r); }

private:
    // Each field of (demand | guard) - sum is 2^w + d - sum, above 0 as the sum stays below
    // 2^w + d: it keeps its guard bit exactly when the sum is within d, and no field borrows
    // from the next.
    bool sumFits(std::size_t word, std::uint64_t sum) const
    {
        const std::uint64_t guards = m_guards[word];
        return (((m_demandWords[word] | guards) - sum) & guards) == guards;
    }

    struct Field {
        std::uint8_t word = 0;
        std::uint8_t shift = 0;
    };

    std::span<const std::int64_t> m_demands;
    std::array<Field, problem::maxPieceTypes> m_fields{};
    Words m_demandWords{};
    Words m_guards{};
    bool m_usable = true;
    bool m_oneWord = true;
};

} // namespace wang
