#include "FastGenerator.h"

#include "HeavyTypeClasses.h"
#include "Int32Arithmetic.h"
#include "JoinShape.h"
#include "PackedKeySet.h"
#include "PatternKeySet.h"
#include "PieceCountPool.h"
#include "RadixSort.h"
#include "SideIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// Below this product of the largest height and the largest length no sum, product or waste
// of a join leaves the 32-bit range, every record keeps positive sides and a non-negative
// inner waste; the pruning and the skipped pairs rely on that.
constexpr std::int64_t exactSideProduct = std::int64_t{1} << 28;
// Stands for a waste limit no inner waste can reach.
constexpr std::int64_t noLimit = std::int64_t{1} << 40;
// How many duplicate tests ahead a slot is asked for: enough to hide a memory read.
constexpr std::size_t prefetchDistance = 16;

// A build of the outer record being joined, before its number and duplicate test.
struct MadeBuild {
    std::uint64_t pair = 0; // partner << 1 | vertical
    TPattern record;
    DemandPacking::Words counts{}; // summed packed counts, when the counts pack
    std::uint64_t hash = 0;        // of its packed key, when the counts pack
};

class FastRun {
  public:
    FastRun(const TInstance& instance, float beta, const WangOptions& options)
        : m_instance(instance), m_options(options),
          m_plateArea(mul32(instance.plateHeight, instance.plateLength)),
          m_limit(wasteLimit(instance.plateHeight, instance.plateLength, beta)),
          m_limitFloor(floorOf(m_limit)), m_demands(demandsOf(instance)),
          m_counts(m_demands, instance.pieceCount), m_keys(m_patterns, m_counts),
          m_classes(m_demands) {}

    GenerationResult run() {
        m_patterns = startingList(m_instance);
        for (std::size_t i = 0; i < m_patterns.size(); ++i) {
            const PieceCountPool::Entry single = PieceCountPool::entry(i, 1);
            m_counts.append({&single, 1});
        }
        const bool skipping = arithmeticIsExact();
        std::size_t oldEnd = 0;
        std::int64_t kept = m_instance.pieceCount;
        while (kept > 0) {
            ++m_result.passes;
            const std::size_t covered = m_patterns.size();
            if (skipping)
                passSkippingRepeats(oldEnd);
            else
                passOverAllPairs();
            kept = static_cast<std::int64_t>(m_patterns.size() - covered);
            m_result.buildsTried += 2 * static_cast<std::int64_t>(covered * covered);
            oldEnd = covered;
        }
        m_result.patterns = std::move(m_patterns);
        return std::move(m_result);
    }

  private:
    static PieceCountPool::Demands demandsOf(const TInstance& instance) {
        PieceCountPool::Demands demands{};
        for (int i = 0; i < instance.pieceCount; ++i)
            demands[static_cast<std::size_t>(i)] = instance.pieces[i].demand;
        return demands;
    }

    static std::int64_t floorOf(float limit) {
        const long double value = limit;
        if (std::isnan(value) || value >= noLimit)
            return noLimit; // a NaN limit rejects nothing, as no comparison with it is true
        if (value <= -noLimit)
            return -noLimit;
        return static_cast<std::int64_t>(std::floor(value));
    }

    bool arithmeticIsExact() const {
        std::int64_t height = m_instance.plateHeight;
        std::int64_t length = m_instance.plateLength;
        for (int i = 0; i < m_instance.pieceCount; ++i) {
            height = std::max<std::int64_t>(height, m_instance.pieces[i].height);
            length = std::max<std::int64_t>(length, m_instance.pieces[i].length);
        }
        return height * length <= exactSideProduct;
    }

    // A pass where only pairs with a record kept by the previous pass ("new") are built, and
    // of each such pair only the order that comes first. A pair of two older records repeats
    // a build of the previous pass, and the pair (b, a) after (a, b) repeats that build: both
    // give a record equal to one that stands earlier, kept or itself a duplicate of a kept
    // one, so they are removed and only their number matters for the numbering.
    void passSkippingRepeats(std::size_t oldEnd) {
        const std::size_t covered = m_patterns.size();
        m_classes.addPartners(m_counts, covered);
        const SideIndex byHeight(m_patterns, m_counts, m_classes, oldEnd, covered, true);
        const SideIndex byLength(m_patterns, m_counts, m_classes, oldEnd, covered, false);
        m_mirrored.assign(covered, 0);
        m_madeAsOuter.resize(covered, 0);
        const std::int32_t startId = m_patterns.back().id;
        std::int64_t counter = 0;
        for (std::size_t a = 0; a < covered; ++a) {
            const std::int64_t repeats = a < oldEnd ? m_madeAsOuter[a] : m_mirrored[a];
            counter += repeats;
            m_made.clear();
            const std::uint32_t wanted = HeavyTypeClasses::compatibleWith(m_classes.of(a));
            collect(a, wanted, byHeight, true);
            collect(a, wanted, byLength, false);
            m_madeAsOuter[a] = repeats + numberAndKeep(startId, counter, true);
            checkDeadline(a);
        }
        m_result.buildsMade += counter;
    }

    // A pass that builds every ordered pair, for inputs whose arithmetic may wrap around.
    void passOverAllPairs() {
        const std::size_t covered = m_patterns.size();
        const std::int32_t startId = m_patterns.back().id;
        std::int64_t counter = 0;
        for (std::size_t a = 0; a < covered; ++a) {
            m_made.clear();
            for (std::size_t b = 0; b < covered; ++b) {
                tryBuild(a, b, kindHorizontal);
                tryBuild(a, b, kindVertical);
            }
            numberAndKeep(startId, counter, false);
            checkDeadline(a);
        }
        m_result.buildsMade += counter;
    }

    // Builds a with the partners b >= a among the indexed records whose join with a is made,
    // into m_made. In this range the side and waste bounds are the exact tests; only the
    // shelves of the classes in `wanted` can hold a partner. The index holds all that a build
    // reads of a partner, so the list is not read at random.
    void collect(std::size_t a, std::uint32_t wanted, const SideIndex& index, bool horizontal) {
        const TPattern& x = m_patterns[a];
        const std::int64_t key = horizontal ? x.height : x.length;
        const std::int64_t along = horizontal ? x.length : x.height;
        const std::int64_t slack = m_limitFloor - x.internalWaste;
        const std::int64_t room =
            (horizontal ? m_instance.plateLength : m_instance.plateHeight) - along;
        if (slack < 0 || room < 1 || m_counts.overDemand(a))
            return;
        // A partner whose key differs from a's adds at least the difference times the
        // shorter one's side as inner waste.
        const std::int64_t highestKey = key + slack / along;
        const PieceCountPool::Sketch pieces = m_counts.sketchOf(a);
        const bool oneWord = m_counts.packsInOneWord();
        const std::uint64_t firstWord = oneWord ? pieces.words[0] : 0;
        auto fitsDemand = [&](std::size_t b, const SideIndex::Entry& entry) {
            return oneWord ? m_counts.fitsFirstWord(firstWord, entry.firstWord)
                           : m_counts.fitsDemand(a, pieces, b, index.sketchOf(entry));
        };
        for (std::size_t g = index.firstGroupFrom(key - slack);
             g < index.groupCount() && index.group(g).key <= highestKey; ++g) {
            const SideIndex::Group& group = index.group(g);
            const std::int64_t other = group.key;
            const std::int64_t maxAlong =
                other < key ? std::min(room, slack / (key - other)) : room;
            // The step grows with the partner's side, so a block's least side bounds it.
            auto step = [&](std::int64_t partnerAlong) {
                return other < key ? (key - other) * partnerAlong : (other - key) * along;
            };
            if (group.leastAlong > maxAlong ||
                std::int64_t{group.leastWaste} + step(group.leastAlong) > slack)
                continue;
            const Reach reach{a, &pieces, other, slack, maxAlong, horizontal};
            for (std::uint32_t shelves = group.occupied & wanted; shelves != 0;
                 shelves &= shelves - 1) {
                const auto shelf = static_cast<HeavyTypeClasses::Class>(std::countr_zero(shelves));
                collectFromShelf(index, index.blocks(g, shelf), reach, step, fitsDemand);
            }
        }
    }

    // Where the partners of one record may lie within one group of an index.
    struct Reach {
        std::size_t outer = 0;
        const PieceCountPool::Sketch* outerPieces = nullptr;
        std::int64_t key = 0;      // the partners' key
        std::int64_t slack = 0;    // inner waste the join may still add
        std::int64_t maxAlong = 0; // the longest side a partner may have
        bool horizontal = true;
    };

    // collect() over the blocks of one shelf; step(side) is the inner waste a partner of
    // that side adds.
    template <typename Step, typename FitsDemand>
    void collectFromShelf(const SideIndex& index, std::span<const SideIndex::Block> blocks,
                          const Reach& reach, Step step, FitsDemand fitsDemand) {
        for (const SideIndex::Block& block : blocks) {
            if (block.leastAlong > reach.maxAlong)
                break;
            const std::int64_t leastStep = step(block.leastAlong);
            if (static_cast<std::size_t>(block.highestIndex) < reach.outer ||
                std::int64_t{block.leastWaste} + leastStep > reach.slack)
                continue;
            for (const SideIndex::Entry& entry : index.entries(block)) {
                if (std::int64_t{entry.internalWaste} + leastStep > reach.slack)
                    break; // so are all that follow, by ascending waste
                const auto b = static_cast<std::size_t>(entry.index);
                if (entry.along <= reach.maxAlong && b >= reach.outer &&
                    std::int64_t{entry.internalWaste} + step(entry.along) <= reach.slack &&
                    fitsDemand(b, entry))
                    addBuild(reach, index, entry);
            }
        }
    }

    // Builds the outer record of `reach` with an entry of the index that passed every test.
    void addBuild(const Reach& reach, const SideIndex& index, const SideIndex::Entry& entry) {
        TPattern partner;
        partner.height = static_cast<std::int32_t>(reach.horizontal ? reach.key : entry.along);
        partner.length = static_cast<std::int32_t>(reach.horizontal ? entry.along : reach.key);
        partner.internalWaste = entry.internalWaste;
        const auto b = static_cast<std::size_t>(entry.index);
        const std::int32_t kind = reach.horizontal ? kindHorizontal : kindVertical;
        const Join join = joinShape(m_patterns[reach.outer], partner, kind, m_plateArea);
        if (!withinPlateAndLimit(join))
            return;
        DemandPacking::Words counts{};
        if (m_counts.packsInOneWord())
            counts[0] = reach.outerPieces->words[0] + entry.firstWord;
        else if (m_counts.packsCounts())
            counts = PieceCountPool::packedSum(*reach.outerPieces, index.sketchOf(entry));
        addMade(join, reach.outer, b, counts);
    }

    // Builds a with b into m_made when the join is made; for inputs whose arithmetic may wrap.
    void tryBuild(std::size_t a, std::size_t b, std::int32_t kind) {
        const Join join = joinShape(m_patterns[a], m_patterns[b], kind, m_plateArea);
        if (withinPlateAndLimit(join) && m_counts.fitsDemand(a, b))
            addMade(join, a, b, m_counts.packsCounts() ? m_counts.packedSum(a, b)
                                                       : DemandPacking::Words{});
    }

    bool withinPlateAndLimit(const Join& join) const {
        return fitsPlate(join.record, m_instance.plateHeight, m_instance.plateLength) &&
               !exceedsWasteLimit(join.record.internalWaste, m_limit);
    }

    // Appends the join of outer record a and partner b, with their summed packed counts.
    void addMade(const Join& join, std::size_t a, std::size_t b,
                 const DemandPacking::Words& counts) {
        MadeBuild& made = m_made.emplace_back();
        made.pair = std::uint64_t{b} << 1 | (join.record.kind == kindVertical);
        made.record = join.record;
        made.record.first = static_cast<std::int32_t>(join.secondLeads ? b : a);
        made.record.second = static_cast<std::int32_t>(join.secondLeads ? a : b);
        made.counts = counts;
        if (m_counts.packsCounts())
            made.hash = PackedKeySet::hashOf(packedKey(made));
    }

    static PackedKeySet::Key packedKey(const MadeBuild& made) {
        return {made.record.internalWaste, made.record.totalWaste, made.record.length,
                made.counts};
    }

    // Numbers and keeps (or drops as duplicates) the builds in m_made, in pair order; returns
    // how many there were. The slot each duplicate test reads is asked for a few tests ahead.
    std::int64_t numberAndKeep(std::int32_t startId, std::int64_t& counter, bool mirrored) {
        // The builds, by their pair above their position: a build is far too large for so
        // many of them as 2^31 to be held.
        constexpr unsigned positionBits = 31;
        m_order.clear();
        for (std::uint64_t k = 0; k < m_made.size(); ++k)
            m_order.push_back(m_made[k].pair << positionBits | k);
        sortByHighBits(m_order, m_sortScratch, positionBits);
        auto inOrder = [&](std::size_t k) -> MadeBuild& {
            return m_made[m_order[k] & ((std::uint64_t{1} << positionBits) - 1)];
        };
        for (std::size_t k = 0; k < m_made.size(); ++k) {
            if (k + prefetchDistance < m_made.size() && m_counts.packsCounts())
                m_packedKeys.prefetch(inOrder(k + prefetchDistance).hash);
            MadeBuild& made = inOrder(k);
            ++counter;
            if (mirrored)
                ++m_mirrored[made.pair >> 1]; // for a partner equal to a it is already used
            made.record.id = wrap32(startId + counter);
            keepUnlessDuplicate(made);
        }
        return static_cast<std::int64_t>(m_made.size());
    }

    // Keeps a build unless an earlier built record has its key; a zero height of the earlier
    // record or a zero length of the new one never counts as a match.
    void keepUnlessDuplicate(const MadeBuild& made) {
        const TPattern& built = made.record;
        const auto q = static_cast<std::size_t>(built.first);
        const auto r = static_cast<std::size_t>(built.second);
        if (m_counts.packsCounts()) {
            const PackedKeySet::Key key = packedKey(made);
            if (built.length != 0 && m_packedKeys.contains(key, made.hash))
                return;
            m_counts.merge(q, r, m_merged);
            keep(built);
            if (built.height != 0)
                m_packedKeys.insert(key, made.hash);
            return;
        }
        m_counts.merge(q, r, m_merged);
        const PatternKey key =
            makeKey(built.internalWaste, built.totalWaste, built.length, m_merged);
        if (built.length != 0 && m_keys.contains(key))
            return;
        const std::size_t index = keep(built);
        if (built.height != 0)
            m_keys.insert(key, static_cast<std::int32_t>(index));
    }

    // Appends a built record with its counts, in m_merged; gives its index.
    std::size_t keep(const TPattern& built) {
        if (m_patterns.size() >= m_options.patternLimit)
            throw GenerationStopped{WangFailure::TooManyPatterns};
        m_patterns.push_back(built);
        m_counts.append(m_merged);
        return m_patterns.size() - 1;
    }

    void checkDeadline(std::size_t a) const {
        if (a % 256 == 0 && std::chrono::steady_clock::now() > m_options.deadline)
            throw GenerationStopped{WangFailure::TimeLimit};
    }

    const TInstance& m_instance;
    const WangOptions& m_options;
    const std::int32_t m_plateArea;
    const float m_limit;
    const std::int64_t m_limitFloor;
    const PieceCountPool::Demands m_demands;
    std::vector<TPattern> m_patterns;
    PieceCountPool m_counts;
    PatternKeySet m_keys;
    PackedKeySet m_packedKeys; // in place of m_keys when the counts pack
    HeavyTypeClasses m_classes;
    std::vector<std::int64_t> m_madeAsOuter; // builds made by a record as outer, last pass
    std::vector<std::int64_t> m_mirrored;    // builds made with a new record as inner
    std::vector<MadeBuild> m_made;
    std::vector<std::uint64_t> m_order; // pair << 31 | position in m_made
    std::vector<std::uint64_t> m_sortScratch;
    std::vector<PieceCountPool::Entry> m_merged;
    GenerationResult m_result;
};

} // namespace

std::expected<GenerationResult, WangFailure> generatePatterns(const TInstance& instance, float beta,
                                                              const WangOptions& options) {
    return guardedGeneration(instance, [&] { return FastRun(instance, beta, options).run(); });
}
