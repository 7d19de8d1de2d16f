#include "wang/fast/FastGenerator.h"

#include "problem/Int32Arithmetic.h"
#include "wang/fast/BuildsAhead.h"
#include "wang/fast/DenseKeys.h"
#include "wang/fast/HeavyTypeClasses.h"
#include "wang/fast/JoinCollector.h"
#include "wang/fast/PackedKeySet.h"
#include "wang/fast/PatternKeySet.h"
#include "wang/fast/PieceCountPool.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace wang {

namespace {

// Below this product of the largest height and the largest length no sum, product or waste
// of a join leaves the 32-bit range, every record keeps positive sides and a non-negative
// inner waste; the pruning and the skipped pairs rely on that.
constexpr std::int64_t exactSideProduct = std::int64_t{1} << 28;
// Stands for a waste limit no inner waste can reach.
constexpr std::int64_t noLimit = std::int64_t{1} << 40;
// How many duplicate tests ahead a slot is asked for: enough to hide a memory read.
constexpr std::size_t prefetchDistance = 16;
// Records kept between two questions to the memory guard (a power of two), and what a kept
// record costs at most across the list, its counts, its key and the line weights, with the
// share of a key table that is doubled: room for them is asked for ahead of each step.
constexpr std::size_t memoryStepRecords = std::size_t{1} << 16;
constexpr std::uint64_t bytesPerRecord = 512;

// What one thread needs to make builds, and what it counts of them.
struct OuterMaker {
    JoinCollector collector;
    std::vector<std::int64_t> mirrored;  // per new record, builds made with it as the inner one
    std::vector<std::uint8_t> mayBeKept; // per build, in found order
};

class FastRun {
public:
    FastRun(const problem::TInstance& instance, float beta, const WangOptions& options)
        : m_instance(instance), m_options(options),
          m_plateArea(problem::mul32(instance.plateHeight, instance.plateLength)),
          m_limit(wasteLimit(instance.plateHeight, instance.plateLength, beta)),
          m_limitFloor(floorOf(m_limit)), m_demands(demandsOf(instance)),
          m_counts(m_demands, instance.pieceCount), m_keys(m_patterns, m_counts),
          m_classes(m_demands), m_dense(instance),
          m_denseKeys(m_dense.usable() && m_counts.packsCounts()), m_makers{makerOf(), makerOf()}
    {
    }

    GenerationResult run()
    {
        m_patterns = startingList(m_instance);
        for (std::size_t i = 0; i < m_patterns.size(); ++i) {
            const PieceCountPool::Entry single = PieceCountPool::entry(i, 1);
            m_counts.append({&single, 1});
            m_weights.append(m_patterns[i], 0);
        }
        if (m_denseKeys)
            m_dense.appendStartingRecords();
        const bool skipping = arithmeticIsExact();
        std::size_t oldEnd = 0;
        std::int64_t kept = m_instance.pieceCount;
        while (kept > 0) {
            ++m_result.passes;
            checkMemory();
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
    OuterMaker makerOf() const
    {
        return {JoinCollector(m_patterns, m_counts,
                              {m_instance.plateHeight, m_instance.plateLength, m_plateArea, m_limit,
                               m_limitFloor}),
                {},
                {}};
    }

    static PieceCountPool::Demands demandsOf(const problem::TInstance& instance)
    {
        PieceCountPool::Demands demands{};
        for (int i = 0; i < instance.pieceCount; ++i)
            demands[static_cast<std::size_t>(i)] = instance.pieces[i].demand;
        return demands;
    }

    static std::int64_t floorOf(float limit)
    {
        const long double value = limit;
        if (std::isnan(value) || value >= noLimit)
            return noLimit; // a NaN limit rejects nothing, as no comparison with it is true
        if (value <= -noLimit)
            return -noLimit;
        return static_cast<std::int64_t>(std::floor(value));
    }

    bool arithmeticIsExact() const
    {
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
    void passSkippingRepeats(std::size_t oldEnd)
    {
        const std::size_t covered = m_patterns.size();
        m_classes.addPartners(m_counts, covered);
        const SideIndex byHeight(m_patterns, m_counts, m_classes, m_weights.along(true), oldEnd,
                                 covered, true);
        const SideIndex byLength(m_patterns, m_counts, m_classes, m_weights.along(false), oldEnd,
                                 covered, false);
        const PartnerIndex partners{byHeight, byLength, m_classes, m_weights,
                                    LineWeights::repeatBound(m_result.passes)};
        for (OuterMaker& maker : m_makers)
            maker.mirrored.assign(covered, 0);
        m_madeAsOuter.resize(covered, 0);
        const std::int64_t startId = m_patterns.back().id;
        std::int64_t counter = 0;
        auto numberOuter = [&](std::size_t a, const BuildsAhead::Outer& outer) {
            const std::int64_t repeats =
                a < oldEnd ? m_madeAsOuter[a] : m_makers[0].mirrored[a] + m_makers[1].mirrored[a];
            counter += repeats;
            numberAndKeep(outer.shown, startId, counter);
            counter += outer.made;
            m_madeAsOuter[a] = repeats + outer.made;
            checkDeadline(a);
            checkIn();
        };
        auto makeWith = [&](OuterMaker& maker) {
            return [&](std::size_t a, std::vector<MadeBuild>& shown) {
                return makeOuter(maker, partners, a, shown);
            };
        };
        if (m_counts.packsCounts()) {
            // Kept records are held until the pass ends, so the list, the counts and the keys
            // of earlier passes stay unchanged and the builds can be made on a second thread.
            BuildsAhead ahead(covered, makeWith(m_makers[0]), makeWith(m_makers[1]));
            for (std::size_t a = 0; a < covered; ++a)
                numberOuter(a, ahead.next());
        } else {
            for (std::size_t a = 0; a < covered; ++a) {
                m_made.clear();
                const std::int64_t made = makeOuter(m_makers[0], partners, a, m_made);
                numberOuter(a, {m_made, made});
            }
        }
        keepHeld();
        m_result.buildsMade += counter;
    }

    // Makes the builds of outer record a and counts them, into `mirrored` for their partners;
    // appends to `shown` those that may be kept. Returns how many builds a made. It reads
    // nothing a pass changes before its end, so either thread may run it.
    std::int64_t makeOuter(OuterMaker& maker, const PartnerIndex& partners, std::size_t a,
                           std::vector<MadeBuild>& shown) const
    {
        const std::size_t count = maker.collector.joinsOf(a, partners);
        for (const MadeBuild& made : maker.collector.made())
            countMirrored(maker, a, made.pair);
        for (const std::uint64_t pair : maker.collector.repeats())
            countMirrored(maker, a, pair);
        showMayBeKept(maker, shown);
        return static_cast<std::int64_t>(count);
    }

    // Appends to `shown`, with their ranks, the builds just made that may be kept: where the
    // counts pack, all but those whose key a record kept in an earlier pass holds.
    void showMayBeKept(OuterMaker& maker, std::vector<MadeBuild>& shown) const
    {
        const std::span<const MadeBuild> builds = maker.collector.made();
        maker.mayBeKept.resize(builds.size());
        if (m_denseKeys) {
            for (std::size_t k = 0; k < builds.size(); ++k)
                maker.mayBeKept[k] = !m_dense.keptBefore(m_dense.keyOf(builds[k].record));
        } else {
            const bool packs = m_counts.packsCounts();
            for (std::size_t k = 0; k < builds.size(); ++k) {
                if (packs && k + prefetchDistance < builds.size())
                    m_packedKeys.prefetch(builds[k + prefetchDistance].hash);
                const MadeBuild& made = builds[k];
                maker.mayBeKept[k] = !packs || made.record.length == 0 ||
                                     !m_packedKeys.contains(packedKeyOf(made), made.hash);
            }
        }
        maker.collector.appendInPairOrder(maker.mayBeKept, shown);
    }

    // A build with a partner after a stands for the same build of the pair taken the other
    // way, which that partner, as an outer record, only counts. Builds with a itself are not
    // counted: a's count may already have been read.
    static void countMirrored(OuterMaker& maker, std::size_t a, std::uint64_t pair)
    {
        const std::size_t b = pair >> 1;
        if (b != a)
            ++maker.mirrored[b];
    }

    // A pass that builds every ordered pair, for inputs whose arithmetic may wrap around.
    void passOverAllPairs()
    {
        const std::size_t covered = m_patterns.size();
        const std::int64_t startId = m_patterns.back().id;
        std::int64_t counter = 0;
        for (std::size_t a = 0; a < covered; ++a) {
            const std::size_t count = m_makers[0].collector.allJoinsOf(a, covered);
            m_made.clear();
            showMayBeKept(m_makers[0], m_made);
            numberAndKeep(m_made, startId, counter);
            counter += static_cast<std::int64_t>(count);
            checkDeadline(a);
            checkIn();
        }
        keepHeld();
        m_result.buildsMade += counter;
    }

    // Numbers the builds of one outer record that may be kept, from the count of builds made
    // before the record and their rank, and keeps or drops each as a duplicate. The slot each
    // duplicate test reads is asked for a few tests ahead.
    void numberAndKeep(std::span<MadeBuild> builds, std::int64_t startId, std::int64_t counter)
    {
        for (std::size_t k = 0; k < builds.size(); ++k) {
            if (k + prefetchDistance < builds.size() && m_counts.packsCounts() && !m_denseKeys)
                m_passKeys.prefetch(builds[k + prefetchDistance].hash);
            MadeBuild& made = builds[k];
            made.record.id = startId + counter + made.rank + 1;
            keepUnlessDuplicate(made);
        }
    }

    // Keeps a build unless an earlier built record has its key; a zero height of the earlier
    // record or a zero length of the new one never counts as a match. Where the counts pack,
    // the build is one whose key no earlier pass kept.
    void keepUnlessDuplicate(const MadeBuild& made)
    {
        const TPattern& built = made.record;
        if (m_denseKeys) {
            const std::uint64_t key = m_dense.keyOf(built);
            if (m_dense.keptInPass(key))
                return;
            hold(built);
            m_dense.keepInPass(key);
            return;
        }
        const auto q = static_cast<std::size_t>(built.first);
        const auto r = static_cast<std::size_t>(built.second);
        if (m_counts.packsCounts()) {
            const PackedKeySet::Key key = packedKeyOf(made);
            if (built.length != 0 && m_passKeys.contains(key, made.hash))
                return;
            hold(built);
            if (built.height != 0)
                m_passKeys.insert(key, made.hash);
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
    std::size_t keep(const TPattern& built)
    {
        checkLimits();
        m_patterns.push_back(built);
        m_counts.append(m_merged);
        m_weights.append(built, m_result.passes);
        return m_patterns.size() - 1;
    }

    // Holds a kept record, whose key needs no list entry, until the pass ends.
    void hold(const TPattern& built)
    {
        checkLimits();
        m_held.push_back(built);
    }

    // Appends the records held in this pass, with their counts, and moves their keys to
    // those of the earlier passes.
    void keepHeld()
    {
        m_passKeys = PackedKeySet();
        for (const TPattern& built : m_held) {
            const auto q = static_cast<std::size_t>(built.first);
            const auto r = static_cast<std::size_t>(built.second);
            if (m_denseKeys) {
                m_dense.append(built);
            } else if (built.height != 0) {
                const PackedKeySet::Key key = packedKeyOf(built, m_counts.packedSum(q, r));
                m_packedKeys.insert(key, PackedKeySet::hashOf(key));
            }
            m_counts.merge(q, r, m_merged);
            m_patterns.push_back(built);
            m_counts.append(m_merged);
            m_weights.append(built, m_result.passes);
        }
        if (m_denseKeys)
            m_dense.endPass();
        m_held.clear();
    }

    void checkLimits() const
    {
        const std::size_t records = m_patterns.size() + m_held.size();
        if (records >= m_options.patternLimit)
            throw GenerationStopped{WangFailure::TooManyPatterns};
        if (records % memoryStepRecords == 0)
            checkMemory();
    }

    // Asks for room for the next step of records and for one copy of the list, which moves
    // when it grows at the end of a pass.
    void checkMemory() const
    {
        const std::size_t records = m_patterns.size() + m_held.size();
        wang::checkMemory(memoryStepRecords * bytesPerRecord + records * sizeof(TPattern),
                          m_result.passes, records);
    }

    // Lets the run's control stop the pass and hear how far it got.
    void checkIn()
    {
        problem::RunControl* control = m_options.control;
        if (!control)
            return;
        problem::RunProgress& progress = control->progress();
        progress.pass = m_result.passes;
        progress.recordsKept = static_cast<std::int64_t>(m_patterns.size() + m_held.size());
        progress.buildsTried = m_result.buildsTried;
        control->sparseCheckpoint();
    }

    void checkDeadline(std::size_t a) const
    {
        if (a % 256 == 0 && std::chrono::steady_clock::now() > m_options.deadline)
            throw GenerationStopped{WangFailure::TimeLimit};
    }

    const problem::TInstance& m_instance;
    const WangOptions& m_options;
    const std::int32_t m_plateArea;
    const float m_limit;
    const std::int64_t m_limitFloor;
    const PieceCountPool::Demands m_demands;
    std::vector<TPattern> m_patterns;
    PieceCountPool m_counts;
    PatternKeySet m_keys;
    // In place of m_keys when the counts pack: the keys kept up to the last pass, which a pass
    // only reads, and those kept in this one.
    PackedKeySet m_packedKeys;
    PackedKeySet m_passKeys;
    HeavyTypeClasses m_classes;
    LineWeights m_weights;
    // In place of the packed key sets where the keys are few (which implies exact arithmetic).
    DenseKeys m_dense;
    const bool m_denseKeys;
    std::vector<std::int64_t> m_madeAsOuter; // builds made by a record as outer, last pass
    std::array<OuterMaker, 2> m_makers;      // one per thread that makes builds
    std::vector<MadeBuild> m_made; // of one outer record, where no second thread makes them
    std::vector<TPattern> m_held;  // kept in this pass, not yet in the list
    std::vector<PieceCountPool::Entry> m_merged;
    GenerationResult m_result;
};

} // namespace

std::expected<GenerationResult, WangError> generatePatterns(const problem::TInstance& instance,
                                                            float beta, const WangOptions& options)
{
    return guardedGeneration(instance, [&] { return FastRun(instance, beta, options).run(); });
}

} // namespace wang
