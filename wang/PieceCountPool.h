#pragma once

#include "Instance.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Sparse piece counts of every record, kept in one shared pool: a record holds only the
// types it contains, each as one entry (type << 32 | count), sorted by type. Two bit masks
// per record (types present, types at their demand) settle most demand tests at once.
class PieceCountPool {
  public:
    using Entry = std::uint64_t;
    using Demands = std::array<std::int64_t, maxPieceTypes>;

    // A pool for piece types with these demands.
    explicit PieceCountPool(const Demands& demands) : m_demands(demands) {}

    // Adds the counts of the next record.
    void append(std::span<const Entry> entries);

    // The counts of record `index`.
    std::span<const Entry> of(std::size_t index) const;

    // True when the pieces of records q and r together respect every demand.
    bool fitsDemand(std::size_t q, std::size_t r) const;

    // The types of the first 64 that a record holds, and those it holds at their demand.
    struct Summary {
        std::uint64_t present = 0;
        std::uint64_t full = 0;
    };
    Summary summaryOf(std::size_t index) const {
        return {m_masks[index].present[0], m_masks[index].full[0]};
    }

    // fitsDemand of two records of an instance with at most 64 types, settled from their
    // summaries where they tell; `demand` gives the full test otherwise.
    template <typename FullTest>
    static bool fitsDemand(Summary q, Summary r, FullTest&& demand) {
        if ((q.full & r.present) | (q.present & r.full))
            return false;
        // Types in one part only keep that part's count, which is within its demand.
        return (q.present & r.present) == 0 || demand();
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

    const Demands& m_demands;
    std::vector<Masks> m_masks;
    std::vector<Entry> m_entries;
    std::vector<std::uint64_t> m_starts{0};
};
