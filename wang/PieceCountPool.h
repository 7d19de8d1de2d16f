#pragma once

#include "Instance.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Sparse piece counts of every record, kept in one shared pool: a record holds only the
// types it contains, each as one entry (type << 32 | count), sorted by type.
class PieceCountPool {
  public:
    using Entry = std::uint64_t;
    using Demands = std::array<std::int64_t, maxPieceTypes>;

    // Adds the counts of the next record.
    void append(std::span<const Entry> entries);

    // The counts of record `index`.
    std::span<const Entry> of(std::size_t index) const;

    // True when the pieces of records q and r together respect every demand.
    bool fitsDemand(std::size_t q, std::size_t r, const Demands& demands) const;

    // The summed counts of records q and r, into `out`.
    void merge(std::size_t q, std::size_t r, std::vector<Entry>& out) const;

    // The entry of `count` pieces of type `type`.
    static Entry entry(std::size_t type, std::uint32_t count) { return Entry{type} << 32 | count; }
    static std::size_t typeOf(Entry entry) { return static_cast<std::size_t>(entry >> 32); }
    static std::uint32_t countOf(Entry entry) { return static_cast<std::uint32_t>(entry); }

  private:
    std::vector<Entry> m_entries;
    std::vector<std::uint64_t> m_starts{0};
};
