#include "wang/fast/JoinCollector.h"

#include "wang/fast/PackedKeySet.h"
#include "wang/fast/RadixSort.h"
#include "wang/rules/GenerationSetup.h"

#include <algorithm>
#include <array>
#include <bit>

namespace wang {

// Where the partners of one record may lie within one group of an index.
struct JoinCollector::Reach {
    std::size_t outer = 0;
    const PieceCountPool::Sketch* outerPieces = nullptr;
    std::int64_t key = 0;           // the partners' key
    std::int64_t slack = 0;         // inner waste the join may still add
    std::int64_t maxAlong = 0;      // the longest side a partner may have
    std::uint64_t repeatWeight = 0; // a partner's weight at most this repeats an earlier key
    bool horizontal = true;
};

std::size_t JoinCollector::joinsOf(std::size_t a, const PartnerIndex& partners)
{
    m_made.clear();
    m_repeats.clear();
    const std::uint32_t wanted = HeavyTypeClasses::compatibleWith(partners.classes.of(a));
    collect(a, wanted, partners.byHeight, true, partners);
    collect(a, wanted, partners.byLength, false, partners);
    return m_made.size() + m_repeats.size();
}

std::size_t JoinCollector::allJoinsOf(std::size_t a, std::size_t covered)
{
    m_made.clear();
    m_repeats.clear();
    for (std::size_t b = 0; b < covered; ++b) {
        tryBuild(a, b, kindHorizontal);
        tryBuild(a, b, kindVertical);
    }
    return m_made.size();
}

// The flags ride in the sort keys, so the builds left out are never read again.
void JoinCollector::appendInPairOrder(std::span<const std::uint8_t> flags,
                                      std::vector<MadeBuild>& shown)
{
    m_order.clear();
    for (std::uint64_t k = 0; k < m_made.size(); ++k) {
        const std::uint64_t flag = flags[k] != 0;
        m_order.push_back(m_made[k].pair << pairShift | flag << positionBits | k);
    }
    for (const std::uint64_t pair : m_repeats)
        m_order.push_back(pair << pairShift);
    sortByHighBits(m_order, m_sortScratch, pairShift);
    constexpr std::uint64_t flagBit = std::uint64_t{1} << positionBits;
    for (std::size_t rank = 0; rank < m_order.size(); ++rank) {
        if ((m_order[rank] & flagBit) == 0)
            continue;
        shown.push_back(m_made[m_order[rank] & (flagBit - 1)]);
        shown.back().rank = static_cast<std::int32_t>(rank);
    }
}

// Builds a with the partners b >= a among the indexed records whose join with a is made, into
// m_made. In this range the side and waste bounds are the exact tests; only the shelves of the
// classes in `wanted` can hold a partner. The index holds all that a build reads of a partner,
// so the list is not read at random.
void JoinCollector::collect(std::size_t a, std::uint32_t wanted, const SideIndex& index,
                            bool horizontal, const PartnerIndex& partners)
{
    const TPattern& x = m_patterns[a];
    const std::int64_t key = horizontal ? x.height : x.length;
    const std::int64_t along = horizontal ? x.length : x.height;
    const std::int64_t slack = m_bounds.limitFloor - x.internalWaste;
    const std::int64_t room = (horizontal ? m_bounds.plateLength : m_bounds.plateHeight) - along;
    if (slack < 0 || room < 1 || m_counts.overDemand(a))
        return;
    // A partner whose key differs from a's adds at least the difference times the shorter
    // one's side as inner waste.
    const std::int64_t highestKey = key + slack / along;
    const PieceCountPool::Sketch pieces = m_counts.sketchOf(a);
    const bool oneWord = m_counts.packsInOneWord();
    const std::uint64_t firstWord = oneWord ? pieces.words[0] : 0;
    const std::uint64_t weight = partners.weights.along(horizontal)[a];
    const std::uint64_t repeatWeight =
        weight < partners.repeatBound ? partners.repeatBound - weight : 0;
    auto fitsDemand = [&](std::size_t b, const SideIndex::Entry& entry) {
        return oneWord ? m_counts.fitsFirstWord(firstWord, entry.firstWord)
                       : m_counts.fitsDemand(a, pieces, b, index.sketchOf(entry));
    };
    for (std::size_t g = index.firstGroupFrom(key - slack);
         g < index.groupCount() && index.group(g).key <= highestKey; ++g) {
        const SideIndex::Group& group = index.group(g);
        const std::int64_t other = group.key;
        // The step grows with the partner's side, so a block's least side bounds it.
        auto step = [&](std::int64_t partnerAlong) {
            return other < key ? (key - other) * partnerAlong : (other - key) * along;
        };
        // No inner waste is negative, so the waste test also keeps a partner's step within
        // the slack: most groups are passed over before the division below.
        if (group.leastAlong > room ||
            std::int64_t{group.leastWaste} + step(group.leastAlong) > slack)
            continue;
        const std::int64_t maxAlong = other < key ? std::min(room, slack / (key - other)) : room;
        const Reach reach{a, &pieces, other, slack, maxAlong, repeatWeight, horizontal};
        for (std::uint32_t shelves = group.occupied & wanted; shelves != 0;
             shelves &= shelves - 1) {
            const auto shelf = static_cast<HeavyTypeClasses::Class>(std::countr_zero(shelves));
            collectFromShelf(index, index.blocks(g, shelf), reach, step, fitsDemand);
        }
    }
}

// collect() over the blocks of one shelf; step(side) is the inner waste a partner of that
// side adds.
template <typename Step, typename FitsDemand>
void JoinCollector::collectFromShelf(const SideIndex& index,
                                     std::span<const SideIndex::Block> blocks, const Reach& reach,
                                     Step step, FitsDemand fitsDemand)
{
    for (const SideIndex::Block& block : blocks) {
        if (block.leastAlong > reach.maxAlong)
            break;
        const std::int64_t leastStep = step(block.leastAlong);
        if (static_cast<std::size_t>(block.highestIndex) < reach.outer ||
            std::int64_t{block.leastWaste} + leastStep > reach.slack)
            continue;
        // The tests are combined without branches: which entries pass is hard to foresee.
        std::array<const SideIndex::Entry*, SideIndex::blockLimit> passed;
        std::size_t passing = 0;
        for (const SideIndex::Entry& entry : index.entries(block)) {
            if (std::int64_t{entry.internalWaste} + leastStep > reach.slack)
                break; // so are all that follow, by ascending waste
            const auto b = static_cast<std::size_t>(entry.index);
            passed[passing] = &entry;
            passing += static_cast<std::size_t>(
                (entry.along <= reach.maxAlong) & (b >= reach.outer) &
                (std::int64_t{entry.internalWaste} + step(entry.along) <= reach.slack) &
                fitsDemand(b, entry));
        }
        for (std::size_t k = 0; k < passing; ++k) {
            const SideIndex::Entry& entry = *passed[k];
            if (entry.weight <= reach.repeatWeight)
                m_repeats.push_back(static_cast<std::uint64_t>(entry.index) << 1 |
                                    (reach.horizontal ? 0U : 1U));
            else
                addBuild(reach, index, entry);
        }
    }
}

// Builds the outer record of `reach` with an entry of the index that passed every test; the
// scan's tests of side and waste are those of the plate and the waste limit.
void JoinCollector::addBuild(const Reach& reach, const SideIndex& index,
                             const SideIndex::Entry& entry)
{
    TPattern partner;
    partner.height = static_cast<std::int32_t>(reach.horizontal ? reach.key : entry.along);
    partner.length = static_cast<std::int32_t>(reach.horizontal ? entry.along : reach.key);
    partner.internalWaste = entry.internalWaste;
    const auto b = static_cast<std::size_t>(entry.index);
    const std::int32_t kind = reach.horizontal ? kindHorizontal : kindVertical;
    const Join join = joinShape(m_patterns[reach.outer], partner, kind, m_bounds.plateArea);
    DemandPacking::Words counts{};
    if (m_counts.packsInOneWord())
        counts[0] = reach.outerPieces->words[0] + entry.firstWord;
    else if (m_counts.packsCounts())
        counts = PieceCountPool::packedSum(*reach.outerPieces, index.sketchOf(entry));
    addMade(join, reach.outer, b, counts);
}

void JoinCollector::tryBuild(std::size_t a, std::size_t b, std::int32_t kind)
{
    const Join join = joinShape(m_patterns[a], m_patterns[b], kind, m_bounds.plateArea);
    if (withinPlateAndLimit(join) && m_counts.fitsDemand(a, b))
        addMade(join, a, b,
                m_counts.packsCounts() ? m_counts.packedSum(a, b) : DemandPacking::Words{});
}

bool JoinCollector::withinPlateAndLimit(const Join& join) const
{
    return fitsPlate(join.record, m_bounds.plateHeight, m_bounds.plateLength) &&
           !exceedsWasteLimit(join.record.internalWaste, m_bounds.limit);
}

// Appends the join of outer record a and partner b, with their summed packed counts.
void JoinCollector::addMade(const Join& join, std::size_t a, std::size_t b,
                            const DemandPacking::Words& counts)
{
    MadeBuild& made = m_made.emplace_back();
    made.pair = std::uint64_t{b} << 1 | (join.record.kind == kindVertical);
    made.record = join.record;
    made.record.first = static_cast<std::int32_t>(join.secondLeads ? b : a);
    made.record.second = static_cast<std::int32_t>(join.secondLeads ? a : b);
    made.counts = counts;
    if (m_counts.packsCounts())
        made.hash = PackedKeySet::hashOf(packedKeyOf(made));
}

} // namespace wang
