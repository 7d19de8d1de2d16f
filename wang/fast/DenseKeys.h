#pragma once

#include "problem/Instance.h"
#include "wang/Pattern.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace wang {

// The duplicate keys of built records as bits of two tables, where every key a build can have
// is numbered below a small bound: the keys are then tested where they lie instead of hashed
// and looked for, and the tables stay small enough to be read from the cache.
//
// A record's inner waste is its area less its pieces' area, so where the arithmetic is exact
// its sides and counts stand for its key. The counts are numbered in mixed radix by the
// demands (a count c of a type weighs c times the product of d + 1 over the types before it),
// so that a build's number is the sum of its parts'. A key is (height x (longest length + 1)
// + length) x (the count numbers) + the count number.
class DenseKeys {
public:
    // Usable where every key stays below maxKeys and no demand is negative.
    explicit DenseKeys(const problem::TInstance& instance);

    bool usable() const { return m_usable; }

    // The count numbers of the list: first of the starting records, piece type by type, then
    // of each record appended, whose parts have theirs.
    void appendStartingRecords();
    void append(const TPattern& built);

    // The key of a build of two records of the list.
    std::uint64_t keyOf(const TPattern& built) const
    {
        return (static_cast<std::uint64_t>(built.height) * m_lengths +
                static_cast<std::uint64_t>(built.length)) *
                   m_countNumbers +
               m_numbers[static_cast<std::size_t>(built.first)] +
               m_numbers[static_cast<std::size_t>(built.second)];
    }

    // Whether a record kept in an earlier pass, or in this one, has the key.
    bool keptBefore(std::uint64_t key) const { return isSet(m_earlier.get(), key); }
    bool keptInPass(std::uint64_t key) const { return isSet(m_pass.get(), key); }
    void keepInPass(std::uint64_t key)
    {
        set(m_pass.get(), key);
        m_passKeys.push_back(key);
    }
    // Makes the keys kept in this pass those of an earlier one.
    void endPass();

private:
    struct Free {
        void operator()(std::uint64_t* bits) const { std::free(bits); }
    };
    // Zeroed by the system as their pages are first touched, so a short generation does not
    // pay for zeroing what it never reads.
    using Bits = std::unique_ptr<std::uint64_t[], Free>;

    static bool isSet(const std::uint64_t* bits, std::uint64_t key)
    {
        return (bits[key / 64] >> (key % 64) & 1) != 0;
    }
    static void set(std::uint64_t* bits, std::uint64_t key)
    {
        bits[key / 64] |= std::uint64_t{1} << (key % 64);
    }
    static void clear(std::uint64_t* bits, std::uint64_t key)
    {
        bits[key / 64] &= ~(std::uint64_t{1} << (key % 64));
    }

    // Two tables of this many bits take 8 MiB, mostly read from the cache. Larger ones would
    // cost a short generation more in page faults than the lookups they save.
    static constexpr std::uint64_t maxKeys = std::uint64_t{1} << 25;

    std::vector<std::uint64_t> m_radix; // per type, the number of a count of one
    std::uint64_t m_lengths = 0;        // longest length + 1
    std::uint64_t m_countNumbers = 0;   // how many count numbers there are
    bool m_usable = false;
    std::vector<std::uint32_t> m_numbers; // per record of the list, its count number
    Bits m_earlier;
    Bits m_pass;
    std::vector<std::uint64_t> m_passKeys; // set in m_pass
};

} // namespace wang
