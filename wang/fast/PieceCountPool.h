#pragma once

#include "problem/Instance.h"
#include "wang/fast/DemandPacking.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace wang {

// Sparse piece counts of every record, kept in one shared pool: a record holds only the
// types it contains, each as one entry (type << 32 | count), sorted by type. A sketch of each
// record settles demand tests without its entries: its counts packed, where the demands
// allow, else two bit masks (types present, types at their demand) that settle most of them.
class PieceCountPool {
public:
    using Entry = std::uint64_t;
    using Demands = std::array<std::int64_t, problem::maxPieceTypes>;

    // A pool for the first typeCount piece types, with these demands.
    PieceCountPool(const Demands& demands, int typeCount)
        : m_demands(demands), m_typeCount(typeCount), m_packing(demands, typeCount)
    {
    }

    // Adds the counts of the next record.
    void append(std::span<const Entry> entries);

    // The counts of record `index`.
    std::span<const Entry> of(std::size_t index) const;

    using Sketch = DemandPacking::Packed;

    // What a record's demand tests read, small enough to be kept beside other data.
    Sketch sketchOf(std::size_t index) const;

    // True when the pieces of records q and r together respect every demand.
    bool fitsDemand(std::size_t q, std::size_t r) const
    {
        return fitsDemand(q, sketchOf(q), r, sketchOf(r));
    }

    // The same, from sketches kept elsewhere; the counts are read only if they do not tell.
    bool fitsDemand(std::size_t q, const Sketch& qSketch, std::size_t r,
                    const Sketch& rSketch) const;

    // True when every record's counts are packed, as its sketch.
    bool packsCounts() const { return m_packing.usable(); }

    // True when the packed counts fill only their first word, which then settles a demand test.
    bool packsInOneWord() const { return m_packing.usable() && m_packing.oneWord(); }
    std::uint64_t firstWordOf(std::size_t index) const { return m_packed[index].words[0]; }
    // fitsDemand() from first words, for records that hold no piece beyond its demand.
    bool fitsFirstWord(std::uint64_t q, std::uint64_t r) const
    {
        return m_packing.fitsFirstWord(q, r);
    }

    // True when the record's packed counts hold a piece beyond its demand: it joins with none.
    // Where the counts do not pack, the masks settle that in every demand test instead.
    bool overDemand(std::size_t index) const
    {
        return m_packing.usable() && m_packed[index].overDemand;
    }

    // The packed counts of records q and r summed, for a pair that fits the demands: no field
    // then carries into the next.
    DemandPacking::Words packedSum(std::size_t q, std::size_t r) const
    {
        return packedSum(m_packed[q], m_packed[r]);
    }
    // The same from their sketches.
    static DemandPacking::Words packedSum(const Sketch& q, const Sketch& r)
    {
        DemandPacking::Words sum;
        for (std::size_t w = 0; w < sum.size(); ++w)
            sum[w] = q.words[w] + r.words[w];
        return sum;
    }

    // The summed counts of records q and r, into `out`.
    void merge(std::size_t q, std::size_t r, std::vector<Entry>& out) const;

    // The entry of `count` pieces of type `type`.
    static Entry entry(std::size_t type, std::uint32_t count) { return Entry{type} << 32 | count; }
    static std::size_t typeOf(Entry entry) { return static_cast<std::size_t>(entry >> 32); }
    static std::uint32_t countOf(Entry entry) { return static_cast<std::uint32_t>(entry); }

private:
    // Bit t of a word pair stands for piece type t.
    struct Masks {
        std::array<std::uint64_t, 2> present{};
        std::array<std::uint64_t, 2> full{}; // no further piece of the type may join
    };

    bool fitsBySummedCounts(std::size_t q, std::size_t r) const;

    const Demands& m_demands;
    int m_typeCount;
    DemandPacking m_packing;
    std::vector<Masks> m_masks;   // per record, when the packing is not usable
    std::vector<Sketch> m_packed; // per record, when the packing is usable
    std::vector<Entry> m_entries;
    std::vector<std::uint64_t> m_starts{0};
};

} // namespace wang
