#pragma once

#include "wang/fast/HeavyTypeClasses.h"
#include "wang/fast/LineWeights.h"
#include "wang/fast/PackedKeySet.h"
#include "wang/fast/PieceCountPool.h"
#include "wang/fast/SideIndex.h"
#include "wang/rules/JoinShape.h"

#include <cstdint>
#include <span>
#include <vector>

namespace wang {

// A build of an outer record with one partner, before its number and duplicate test.
struct MadeBuild {
    std::uint64_t pair = 0; // partner << 1 | vertical
    TPattern record;
    DemandPacking::Words counts{}; // summed packed counts, when the counts pack
    std::uint64_t hash = 0;        // of its packed key, when the counts pack
    std::int32_t rank = 0;         // its place among the outer record's builds, in pair order
};

// The duplicate key of a record with these summed packed counts, where the counts pack.
inline PackedKeySet::Key packedKeyOf(const TPattern& record, const DemandPacking::Words& counts)
{
    return {record.internalWaste, record.length, counts};
}

inline PackedKeySet::Key packedKeyOf(const MadeBuild& made)
{
    return packedKeyOf(made.record, made.counts);
}

// What a build is measured against: the plate and the waste limit.
struct JoinBounds {
    std::int32_t plateHeight = 0;
    std::int32_t plateLength = 0;
    std::int32_t plateArea = 0;
    float limit = 0.0f;
    std::int64_t limitFloor = 0; // the limit rounded down, for the index scans
};

// The partners of one pass: both side indexes, the classes they are shelved by, and what
// tells that a build repeats a key kept before the pass.
struct PartnerIndex {
    const SideIndex& byHeight;
    const SideIndex& byLength;
    const HeavyTypeClasses& classes;
    const LineWeights& weights;
    std::uint64_t repeatBound = 0; // LineWeights::repeatBound of the pass
};

// Makes the builds of one outer record in pair order: by partner, the horizontal build before
// the vertical one. It only reads the list and the counts, so it may run on another thread
// than the numbering, as long as neither grows meanwhile.
class JoinCollector {
public:
    JoinCollector(const std::vector<TPattern>& patterns, const PieceCountPool& counts,
                  const JoinBounds& bounds)
        : m_patterns(patterns), m_counts(counts), m_bounds(bounds)
    {
    }

    // Makes the builds of a with the indexed partners b >= a; gives how many it made. Those
    // whose weights show that they repeat a key kept before the pass are only counted, by
    // their pairs.
    std::size_t joinsOf(std::size_t a, const PartnerIndex& partners);

    // Makes the builds of a with each of the first `covered` records, for inputs whose
    // arithmetic may wrap around, where the index scans do not hold; gives how many it made.
    std::size_t allJoinsOf(std::size_t a, std::size_t covered);

    // The builds of the last call in the order they were found, which is the order they lie
    // in memory: a pass over all of them reads them here.
    std::span<const MadeBuild> made() const { return m_made; }

    // The pairs of the builds of the last call that were only counted.
    std::span<const std::uint64_t> repeats() const { return m_repeats; }

    // Appends to `shown` the builds of the last call whose flag (by found order) is set, in
    // pair order, each with its rank among all the builds, those only counted included.
    void appendInPairOrder(std::span<const std::uint8_t> flags, std::vector<MadeBuild>& shown);

private:
    struct Reach;

    void collect(std::size_t a, std::uint32_t wanted, const SideIndex& index, bool horizontal,
                 const PartnerIndex& partners);
    template <typename Step, typename FitsDemand>
    void collectFromShelf(const SideIndex& index, std::span<const SideIndex::Block> blocks,
                          const Reach& reach, Step step, FitsDemand fitsDemand);
    void addBuild(const Reach& reach, const SideIndex& index, const SideIndex::Entry& entry);
    void tryBuild(std::size_t a, std::size_t b, std::int32_t kind);
    bool withinPlateAndLimit(const Join& join) const;
    void addMade(const Join& join, std::size_t a, std::size_t b,
                 const DemandPacking::Words& counts);

    const std::vector<TPattern>& m_patterns;
    const PieceCountPool& m_counts;
    const JoinBounds m_bounds;
    // A build's pair above its flag and its position in m_made: a build is far too large for
    // so many of them as 2^31 to be held.
    static constexpr unsigned positionBits = 31;
    static constexpr unsigned pairShift = positionBits + 1;

    std::vector<MadeBuild> m_made;        // of the outer record, in the order they are found
    std::vector<std::uint64_t> m_repeats; // pairs of its builds only counted
    std::vector<std::uint64_t> m_order;   // pair << pairShift | flag << positionBits | position
    std::vector<std::uint64_t> m_sortScratch;
};

} // namespace wang
