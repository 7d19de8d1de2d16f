#include <algorithm>
#include <deque>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "andor/bounds/CutCeilings.h"
#include "andor/bounds/DemandBound.h"
#include "andor/bounds/DemandFills.h"
#include "andor/bounds/FitTable.h"
#include "andor/bounds/OneCutBound.h"
#include "andor/fast/ConstrainedStates.h"
#include "andor/fast/DemandReadings.h"
#include "andor/fast/FastSearch.h"
#include "andor/fast/PairBounds.h"
#include "andor/fast/PartsAhead.h"
#include "andor/fast/RecentStates.h"
#include "andor/fast/SolvedStates.h"
#include "andor/fast/UsableCounts.h"
#include "andor/rules/CutHeuristics.h"
#include "andor/rules/HomogeneousFilling.h"
#include "andor/rules/ValueBounds.h"
#include "problem/MemoryGuard.h"

namespace andor {

namespace {

// A node's result depends on its rectangle, the first usable position along each axis, the
// depth left, whether a position that does not fit precedes the first usable length position
// (such a position compares a pair kept from the height cuts again and, when it does not
// improve, puts the working copy back) and its remaining demand. Of each type's remaining
// demand it reads no more than a saturation: every demand that agrees with the one it was
// solved for, each type's cut off at its saturation, gives the same result.
enum KeyWord {
    KeyHeight,
    KeyLength,
    KeyXStart,
    KeyYStart,
    KeyLeadingMiss,
    KeyDepthLeft,
    KeyDemand
};

// The memory that recently solved states with one level of cuts left may take, and how many
// of them there may be for each rectangle that parts can have: small searches, which are
// many in a session, get a small cache.
constexpr std::size_t recentBytes = std::size_t{8} << 20;
constexpr std::size_t recentPerRectangle = 64;

// A search starts its second thread once it has solved this many states: most searches end
// sooner, and the thread's start and its engine's tables would cost them more than it saves.
constexpr std::int64_t warmUpStates = std::int64_t{1} << 14;

// The second thread forgets the states it solved once they take this much memory: the
// search's own states matter more, and most of the thread's serve nodes the search has left.
constexpr std::size_t helperStatesBytes = std::size_t{32} << 20;

// The second thread solves pairs of the root and of the root's parts: deeper nodes take too
// little time to share.
constexpr int helpedLevels = 2;

// Where pairs of leaves follow one another at a node, blocks of this many positions are
// released together when none of their pairs may lift the node.
constexpr std::int32_t leafBlock = 8;

// Where the constrained loop stands between two positions.
struct LoopState {
    SolvedState node;
    bool linked = false;    // a pair kept at the last position is still linked
    bool reduced = false;   // the working copy holds less than the node's own demand
    double linkedSum = 0.0; // that pair's sum
    // Whether the greedy bound is still to be asked before a pair first lifts the node, and
    // whether it then kept the node's filling.
    bool boundPending = false;
    bool keptByBound = false;
};

// Scratch of one recursion level; every array but key holds one entry per type.
struct Level {
    std::vector<std::int32_t> remaining;  // the node's own remaining demand
    std::vector<std::int32_t> working;    // its working copy
    std::vector<std::int32_t> saturation; // of the node's result, per type
    std::vector<std::int32_t> need;       // the saturation of one use of the working copy
    std::vector<std::int32_t> key;        // a part's key words and what fits of its demand
    // The types leaves took from the working copy since it was last put back, unless a state
    // took from it too: then any type may differ from the node's own demand.
    std::vector<std::int32_t> takenTypes;
    bool takenByState = false;
    // The parts with one level of cuts left of the pair under examination, and of the pair
    // the node holds.
    std::array<SolvedState, 2> passing;
    std::array<SolvedState, 2> held;
    // The node being solved, the pair under examination, and the board on which the second
    // thread solves the node's pairs, with each position's pair there (-1: none).
    RectSize rect;
    std::int32_t xStart = 0;
    std::int32_t yStart = 0;
    std::int32_t depthLeft = 0;
    std::int32_t choice = -1;
    std::shared_ptr<PartsAhead::Board> board;
    std::vector<std::int32_t> pairOfChoice;
};

// A part with one level of cuts left is not kept as a state: such states are most of a deep
// search's and the cheapest to solve, and keeping them all takes gigabytes. Its result waits
// in its level's passing slot, which a part names by these numbers, and moves to the held slot
// when its pair lifts the node; it becomes a state only as part of the state that holds it.
enum PassingSlot : std::int32_t { PassingFirst = -2, PassingSecond = -3 };

bool isPassing(const PartRef& part)
{
    return part.state <= PassingFirst;
}

std::size_t slotOf(const PartRef& part)
{
    return static_cast<std::size_t>(PassingFirst - part.state);
}

// Count is the type in which demands are packed into keys and readings are stored: 16 bits
// when no reading can exceed them, which halves the memory of most searches.
template <typename Count> class ConstrainedEngine {
    using Readings = DemandReadings<Count>;
    using Reading = typename Readings::Reading;

public:
    // A second engine shares the first one's ceilings, which only depend on the plate.
    ConstrainedEngine(const problem::TInstance& instance, const SolverSettings& settings,
                      const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
                      NodeCounting counting, Helping helping,
                      std::shared_ptr<CutCeilings> ceilings = nullptr)
        : m_instance(instance), m_settings(settings), m_xSet(xSet), m_ySet(ySet),
          m_n(static_cast<std::size_t>(instance.pieceCount)), m_counting(counting),
          m_helping(helping), m_bounded(!settings.heuristicsOn && counting == NodeCounting::Skip),
          m_ceilings(ceilings ? std::move(ceilings)
                              : std::make_shared<CutCeilings>(m_instance, m_fits, m_bound, m_xSet,
                                                              m_ySet, m_sides, settings.depthLimit))
    {
        for (std::size_t i = 0; i < m_n; ++i)
            m_demands.push_back(instance.pieces[i].demand);
    }

    SearchOutcome run()
    {
        if (m_helping == Helping::BeforeSearch)
            startHelper();
        Level& top = levelAt(0);
        const std::int32_t entry = solve(top, {m_instance.plateHeight, m_instance.plateLength}, 0,
                                         0, m_settings.depthLimit, m_demands.data());
        m_ahead.reset();
        SearchOutcome outcome =
            outcomeOf(m_store.stateOf(entry), m_statesSolved, m_instance, m_store.states(), m_xSet,
                      m_ySet, [&](std::int32_t state) { return m_store.state(state).first.leaf; });
        if (m_bounded)
            outcome.nodesExamined.reset();
        return outcome;
    }

private:
    // A second thread solves pairs of the nodes the search is in, from the last one down, with
    // an engine of its own: the first part within the node's own demand, the second within what
    // the first leaves of it. The search takes the parts from there whenever its working copy
    // holds the node's own demand as it comes to a pair.
    void startHelper()
    {
        if (m_settings.depthLimit < 3 || std::thread::hardware_concurrency() < 2)
            return;
        const bool forgetEachPair = m_helping == Helping::BeforeSearch;
        m_ahead = std::make_unique<PartsAhead>([this, forgetEachPair](PartsAhead& ahead) {
            SolverSettings settings = m_settings;
            settings.control = nullptr; // each job's own, below
            ConstrainedEngine helper(m_instance, settings, m_xSet, m_ySet, m_counting,
                                     Helping::Never, m_ceilings);
            while (const std::optional<PartsAhead::Job> job = ahead.nextJob()) {
                // The search's own memory comes first: once the process holds half its
                // limit, the search solves the rest alone.
                if (problem::processMemoryGuard().wouldPass(problem::processMemoryLimit() / 2))
                    return;
                settings.control = &PartsAhead::control(*job);
                try {
                    helper.solvePairAhead(*job, ahead);
                } catch (const problem::RunStopped&) {
                    // The search has left the job's node.
                }
                if (forgetEachPair || helper.m_store.bytes() > helperStatesBytes)
                    helper.m_store.forget();
            }
        });
        for (int at = 1; at <= std::min(m_level, helpedLevels); ++at)
            openBoard(levelAt(at));
    }

    // Opens a board for the node of level, from the pair under examination on, when the
    // node's parts are states.
    void openBoard(Level& level)
    {
        if (level.depthLeft < 3)
            return;
        PartsAhead::Node node{level.remaining, level.depthLeft - 1, pairsOf(level)};
        level.board = m_ahead->open(std::move(node));
        if (m_helping == Helping::BeforeSearch)
            m_ahead->waitUntilIdle();
    }

    // The pairs of level's node from the one under examination on, in the order of its loop,
    // each position's pair noted.
    std::vector<PartsAhead::Pair> pairsOf(Level& level)
    {
        const std::int32_t a = level.rect.height, b = level.rect.length;
        std::vector<PartsAhead::Pair> pairs;
        level.pairOfChoice.assign(static_cast<std::size_t>(m_xSet.count + m_ySet.count), -1);
        const auto add = [&](std::int32_t choice, PartsAhead::Pair pair) {
            if (choice < level.choice)
                return;
            level.pairOfChoice[static_cast<std::size_t>(choice)] =
                static_cast<std::int32_t>(pairs.size());
            pairs.push_back(pair);
        };
        for (std::int32_t j = level.xStart; j < m_xSet.count; ++j) {
            const std::int32_t x = m_xSet.points[static_cast<std::size_t>(j)];
            if (x > a)
                break;
            if (m_xSet.floors[static_cast<std::size_t>(j)] <= b)
                add(j, {{x, b}, {a - x, b}, j, 0, CutsAllowed::LengthOnly});
        }
        for (std::int32_t k = level.yStart; k < m_ySet.count; ++k) {
            const std::int32_t y = m_ySet.points[static_cast<std::size_t>(k)];
            if (y > b)
                break;
            if (m_ySet.floors[static_cast<std::size_t>(k)] <= a)
                add(m_xSet.count + k, {{a, y}, {a, b - y}, 0, k, CutsAllowed::HeightOnly});
        }
        return pairs;
    }

    // A part of a pair on a board of the second thread.
    struct AheadPart {
        PartsAhead::Board* board = nullptr; // none: the search solves the part alone
        std::int32_t pair = -1;
        std::size_t half = 0; // 0 for the first part, 1 for the second
    };

    // Names half of the pair at choice for the second thread, and tells the thread what the
    // node is worth so far. A search that has run a while starts the thread here.
    AheadPart aheadPart(Level& level, std::int32_t choice, bool ownDemand, float nodeValue,
                        std::size_t half)
    {
        if (m_level > helpedLevels)
            return {};
        level.choice = choice;
        if (m_helping == Helping::AfterWarmUp && m_statesSolved >= warmUpStates) {
            m_helping = Helping::Never; // once
            startHelper();
        }
        if (!level.board)
            return {};
        PartsAhead::noteSearchValue(*level.board, nodeValue);
        if (!ownDemand)
            return {};
        const std::int32_t pair = level.pairOfChoice[static_cast<std::size_t>(choice)];
        return {pair >= 0 ? level.board.get() : nullptr, pair, half};
    }

    // Solves a pair of a board for another engine's search, as far as the pair may lift its
    // node once the node is worth what that search noted. Where the search skips pairs by
    // their ceilings, so does this.
    void solvePairAhead(const PartsAhead::Job& job, PartsAhead& ahead)
    {
        const PartsAhead::Node& node = job.node();
        const PartsAhead::Pair& pair = node.pairs[job.pair];
        const std::int32_t levels = node.partLevels;
        LoopState loop;
        loop.node.value = PartsAhead::searchValue(job);
        Level& level = levelAt(0);
        level.remaining = node.demand;
        if (m_bounded && !m_pairBounds.partsMayLift(loop.node.value, pair, levels, level.remaining))
            return;
        std::vector<std::int32_t> demand = node.demand;
        PartsAhead::Part first = solveAhead(pair.first, pair.xStart, pair.yStart, levels, demand);
        const float firstValue = first.states.back().value;
        ahead.finish(job, 0, std::move(first));
        loop.node.value = PartsAhead::searchValue(job);
        if (m_bounded && !sumMayLift(loop, firstValue, m_ceilings->withLevels(pair.second, levels)))
            return;
        ahead.finish(job, 1, solveAhead(pair.second, pair.xStart, pair.yStart, levels, demand));
    }

    // A part solved within demand for another engine's search; demand loses its pieces.
    PartsAhead::Part solveAhead(RectSize part, std::int32_t xStart, std::int32_t yStart,
                                std::int32_t depthLeft, std::vector<std::int32_t>& demand)
    {
        const std::int32_t entry =
            solve(levelAt(0), part, xStart, yStart, depthLeft, demand.data());
        const std::int32_t state = m_store.stateOf(entry);
        m_store.addCounts(demand.data(), {state, {}}, -1);
        PartsAhead::Part solved;
        m_store.exportState(state, solved.states);
        const Reading* reading = m_store.reading(entry);
        solved.reading.assign(reading, reading + m_n);
        return solved;
    }

    // While the search waits for the second thread, a stop asked for still ends it.
    void checkpointWhileWaiting() const
    {
        if (m_settings.control)
            m_settings.control->sparseCheckpoint();
    }

    std::size_t recentSlots() const { return recentPerRectangle * m_sides.cellCount(); }

    Level& levelAt(int depth)
    {
        while (m_levels.size() <= static_cast<std::size_t>(depth)) {
            Level& level = m_levels.emplace_back();
            for (auto* array : {&level.remaining, &level.working, &level.saturation, &level.need})
                array->resize(m_n);
            level.key.resize(keyWords());
        }
        return m_levels[static_cast<std::size_t>(depth)];
    }

    // The key words of a part; fitting is scratch of one count per type.
    void placeKey(std::int32_t* key, RectSize part, std::int32_t xStart, std::int32_t yStart,
                  std::int32_t depthLeft, const std::int32_t* demand, std::int32_t* fitting) const
    {
        const std::int32_t ys = firstUsable(m_ySet, yStart, part.length, part.height);
        key[KeyHeight] = part.height;
        key[KeyLength] = part.length;
        key[KeyXStart] = firstUsable(m_xSet, xStart, part.height, part.length);
        key[KeyYStart] = ys;
        key[KeyLeadingMiss] = yStart < ys ? 1 : 0;
        key[KeyDepthLeft] = depthLeft;
        // Every state reads at least what fits of each type: a state that serves this demand
        // was solved for one that agrees with it up to there.
        m_fits.fitCounts(part.height, part.length, {fitting, m_n});
        for (std::size_t i = 0; i < m_n; ++i)
            fitting[i] = std::min(fitting[i], demand[i]);
        packCounts(fitting, key + KeyDemand);
    }

    // The entry of a part's state given its remaining demand, found or solved; level is the
    // caller's.
    std::int32_t solve(Level& level, RectSize part, std::int32_t xStart, std::int32_t yStart,
                       std::int32_t depthLeft, const std::int32_t* demand, AheadPart ahead = {})
    {
        std::int32_t* key = level.key.data();
        placeKey(key, part, xStart, yStart, depthLeft, demand, level.need.data());
        const auto [group, found] = m_store.find(level.key, demand);
        if (found >= 0)
            return found;

        if (ahead.board)
            if (const PartsAhead::Part* solved =
                    m_ahead->take(*ahead.board, static_cast<std::size_t>(ahead.pair), ahead.half,
                                  [this] { checkpointWhileWaiting(); })) {
                const std::int32_t entry =
                    m_store.addEntry(group, m_store.importStates(solved->states));
                std::copy(solved->reading.begin(), solved->reading.end(), m_store.reading(entry));
                return entry;
            }
        auto [node, fill] = compute(key, demand);
        const Level& solved = m_levels[static_cast<std::size_t>(m_level) + 1];
        node.first = stored(solved, node.first);
        node.second = stored(solved, node.second);
        const std::int32_t entry = m_store.addEntry(group, m_store.store(node, fill, depthLeft));
        writeReading(m_store.reading(entry), solved.saturation.data(), demand);
        return entry;
    }

    // Key words holding one count each, or two 16-bit counts each.
    static constexpr std::size_t countsPerWord = sizeof(std::int32_t) / sizeof(Count);

    std::size_t keyWords() const { return KeyDemand + (m_n + countsPerWord - 1) / countsPerWord; }

    void packCounts(const std::int32_t* counts, std::int32_t* words) const
    {
        for (std::size_t i = 0; i < m_n; i += countsPerWord) {
            std::uint32_t word = 0;
            for (std::size_t k = 0; k < countsPerWord && i + k < m_n; ++k)
                word |= static_cast<std::uint32_t>(static_cast<Count>(counts[i + k])) << (16 * k);
            words[i / countsPerWord] = static_cast<std::int32_t>(word);
        }
    }

    struct Computed {
        SolvedState node;
        HomogeneousFill fill;
    };

    // Notes the node a level solves and, while the second thread runs, opens the node's board
    // when the node is near enough to the root; closes it when the node is solved.
    class HelpedNode {
    public:
        HelpedNode(ConstrainedEngine& engine, Level& level, const std::int32_t* key)
            : m_engine(engine), m_level(level)
        {
            level.rect = {key[KeyHeight], key[KeyLength]};
            level.xStart = key[KeyXStart];
            level.yStart = key[KeyYStart];
            level.depthLeft = key[KeyDepthLeft];
            level.choice = -1;
            if (engine.m_ahead && engine.m_level <= helpedLevels)
                engine.openBoard(level);
        }

        ~HelpedNode()
        {
            if (m_level.board)
                m_engine.m_ahead->close(*m_level.board);
            m_level.board.reset();
        }

        HelpedNode(const HelpedNode&) = delete;
        HelpedNode& operator=(const HelpedNode&) = delete;

    private:
        ConstrainedEngine& m_engine;
        Level& m_level;
    };

    // Solves the state of key for this demand, leaving its saturation in its level.
    Computed compute(const std::int32_t* key, const std::int32_t* demand)
    {
        RecursionGuard guard(m_level, m_stack);
        noteStateSolving(m_settings.control, ++m_statesSolved);
        Level& level = levelAt(m_level);
        std::int32_t* remaining = level.remaining.data();
        std::copy_n(demand, m_n, remaining);
        const std::int32_t a = key[KeyHeight], b = key[KeyLength];
        const std::int32_t xStart = key[KeyXStart], yStart = key[KeyYStart];
        const bool leadingMiss = key[KeyLeadingMiss] != 0;
        const std::int32_t depthLeft = key[KeyDepthLeft];
        const std::span<const std::int32_t> own(remaining, m_n);
        const HelpedNode helped(*this, level, key);

        LoopState loop;
        const HomogeneousFill fill = m_fills.within(a, b, own);
        m_fits.fitCounts(a, b, level.saturation);
        loop.node.value = static_cast<float>(fill.value);
        level.working = level.remaining;
        level.takenTypes.clear();
        level.takenByState = false;
        // Where no node is counted, a node that no pair lifts keeps its filling whatever the
        // bound says, so the bound is asked only when a pair first would: a node's result
        // then reads the bound's demand only where it matters.
        loop.boundPending = m_bounded;
        if (depthLeft > 0 && (m_bounded || !keptByBound(level, loop.node.value))) {
            NodeCuts cuts{{a, b},
                          yStart,
                          depthLeft,
                          own,
                          exitCeiling({a, b}, depthLeft, own),
                          depthLeft == 1 && !m_settings.heuristicsOn};
            if (!cutsAlong<true>(loop, level, cuts, xStart))
                return {loop.node, fill};
            if (leadingMiss)
                passOver(loop, level);
            cutsAlong<false>(loop, level, cuts, yStart);
        }
        return {loop.node, fill};
    }

    // Once the node is worth its exit ceiling, every pair that follows is released unvalued:
    // the most any of them can be worth, read from the node's own demand no further than its
    // filling reads it. Only without the heuristic tests, which act on pairs that do not lift
    // the node; and, while nodes are counted, only with one level of cuts left, where each
    // pair released is two leaves.
    struct ExitCeiling {
        float value = std::numeric_limits<float>::infinity();
        bool withBlocks = true; // whether the blocks bound has joined the value
    };

    ExitCeiling exitCeiling(RectSize whole, std::int32_t depthLeft,
                            std::span<const std::int32_t> own)
    {
        if (m_settings.heuristicsOn || (!m_bounded && depthLeft != 1))
            return {};
        return {std::min(m_ceilings->withLevels(whole, depthLeft), m_bound.within(whole, own)),
                false};
    }

    // The blocks bound joins the ceiling once the node has taken a pair: until then the node
    // holds its filling, the largest of the fillings that bound adds up, which reaches the
    // bound only where no other type fits.
    bool reached(ExitCeiling& ceiling, const LoopState& loop, RectSize whole,
                 std::int32_t depthLeft, std::span<const std::int32_t> own) const
    {
        if (loop.keptByBound)
            return true;
        if (!ceiling.withBlocks && loop.node.choice >= 0) {
            ceiling.value = std::min(ceiling.value, m_bound.blocksWithin(whole, own, depthLeft));
            ceiling.withBlocks = true;
        }
        return loop.node.value >= ceiling.value;
    }

    // What the loop over a node's cuts reads as it goes.
    struct NodeCuts {
        RectSize whole;
        std::int32_t yStart;
        std::int32_t depthLeft;
        std::span<const std::int32_t> own;
        ExitCeiling ceiling;
        bool leaves; // its pairs are pairs of leaves, without the heuristic tests
    };

    // Examines the pairs of the cuts along the height (the x positions) or along the length
    // (the y positions) from start on; false when the node reached its exit ceiling, which
    // releases every pair left, those of the length cuts included.
    template <bool AlongHeight>
    bool cutsAlong(LoopState& loop, Level& level, NodeCuts& cuts, std::int32_t start)
    {
        const TDiscretizationSet& set = AlongHeight ? m_xSet : m_ySet;
        const UsableCounts& usable = AlongHeight ? m_usableX : m_usableY;
        const RectSize whole = cuts.whole;
        const std::int32_t along = AlongHeight ? whole.height : whole.length;
        const std::int32_t across = AlongHeight ? whole.length : whole.height;
        const auto rect = [across](std::int32_t side) {
            return AlongHeight ? RectSize{side, across} : RectSize{across, side};
        };
        std::int32_t blockTried = -1; // blocks were tried up to here
        for (std::int32_t j = start; j < set.count; ++j) {
            if (reached(cuts.ceiling, loop, whole, cuts.depthLeft, cuts.own)) {
                std::int64_t left = usable.count(j, along, across);
                if constexpr (AlongHeight)
                    left += m_usableY.count(cuts.yStart, whole.length, whole.height);
                releaseRest(loop, left);
                return false;
            }
            const std::int32_t position = set.points[static_cast<std::size_t>(j)];
            if (position > along) {
                // The length cuts come next: a pair still linked is compared again.
                if constexpr (AlongHeight)
                    passOver(loop, level);
                return true;
            }
            if (cuts.leaves && !loop.reduced && j >= blockTried) {
                const std::int32_t end = blockEnd(set, j, along);
                const RectSize largestFirst = rect(set.points[static_cast<std::size_t>(end) - 1]);
                if (!m_pairBounds.blockMayLift(loop.node.value, largestFirst,
                                               rect(along - position), cuts.own)) {
                    releaseBlock(loop, usable, j, end, along, across);
                    j = end - 1;
                    continue;
                }
                blockTried = end;
            }
            if (set.floors[static_cast<std::size_t>(j)] <= across)
                cutAt(loop, level, whole, rect(position), rect(along - position),
                      AlongHeight ? j : 0, AlongHeight ? 0 : j, cuts.depthLeft - 1,
                      AlongHeight ? j : m_xSet.count + j);
            else
                passOver(loop, level);
        }
        return true;
    }

    // Two leaves counted for each usable position left.
    static void releaseRest(LoopState& loop, std::int64_t usable)
    {
        loop.node.nodes = addNodes(loop.node.nodes, 2 * usable);
    }

    // One past the last of up to leafBlock positions from j that fit along side.
    static std::int32_t blockEnd(const TDiscretizationSet& set, std::int32_t j, std::int32_t side)
    {
        std::int32_t end = std::min(j + leafBlock, set.count);
        while (set.points[static_cast<std::size_t>(end) - 1] > side)
            --end;
        return end;
    }

    // Releases the pairs of leaves of a block unseen: two leaves counted per usable position.
    void releaseBlock(LoopState& loop, const UsableCounts& usable, std::int32_t j, std::int32_t end,
                      std::int32_t along, std::int32_t across) const
    {
        if (!m_bounded)
            releaseRest(loop, usable.count(j, along, across) - usable.count(end, along, across));
    }

    static std::int32_t readingBeyondTaken(std::int32_t need, const Level& level, std::size_t i)
    {
        return andor::readingBeyondTaken(need, level.remaining[i], level.working[i]);
    }

    // A use of the working copy that reads up to level.need of it reads that much beyond the
    // pieces already taken from the node's own demand.
    void raiseSaturation(Level& level) const
    {
        for (std::size_t i = 0; i < m_n; ++i)
            level.saturation[i] =
                std::max(level.saturation[i], readingBeyondTaken(level.need[i], level, i));
    }

    void raiseSaturation(Level& level, const Reading* reading) const
    {
        Readings::raise(level.saturation.data(), reading, level.remaining.data(),
                        level.working.data(), m_n);
    }

    void writeReading(Reading* reading, const std::int32_t* saturation,
                      const std::int32_t* demand) const
    {
        Readings::write(reading, saturation, demand, m_n);
    }

    // A position that does not fit: a pair still linked is compared again.
    void passOver(LoopState& loop, Level& level) const
    {
        if (loop.linked && !(loop.linkedSum > static_cast<double>(loop.node.value)))
            restoreWorking(loop, level);
    }

    // A use of the working copy that reads up to the copies that fit part. Where the working
    // copy holds the node's own demand, it reads no more than what fits the node, which the
    // node's filling already reads.
    void raiseSaturationToFit(Level& level, RectSize part) const
    {
        if (level.takenByState) {
            m_fits.fitCounts(part.height, part.length, level.need);
            raiseSaturation(level);
            return;
        }
        for (const std::int32_t type : level.takenTypes) {
            const auto i = static_cast<std::size_t>(type);
            level.saturation[i] = std::max(
                level.saturation[i],
                readingBeyondTaken(m_fits.copiesThatFit(part.height, part.length, i), level, i));
        }
    }

    // Takes a part's pieces from the working copy.
    void take(Level& level, const PartRef& part) const
    {
        if (isPassing(part)) {
            const SolvedState& solved = level.passing[slotOf(part)];
            take(level, solved.first);
            take(level, solved.second);
            return;
        }
        m_store.addCounts(level.working.data(), part, -1);
        if (part.state >= 0)
            level.takenByState = true;
        else if (part.leaf.value != 0)
            level.takenTypes.push_back(part.leaf.type);
    }

    // A part with no depth left is a leaf: its homogeneous filling within the working copy.
    PartRef leafPart(Level& level, RectSize part, bool ownDemand)
    {
        // A leaf cut from the node's own demand, less at most the other part of its pair,
        // reads no more of it than fits the node.
        if (!ownDemand)
            raiseSaturationToFit(level, part);
        return {-1, m_fills.within(part.height, part.length, level.working)};
    }

    PartRef solvePart(Level& level, RectSize part, std::int32_t xStart, std::int32_t yStart,
                      std::int32_t depthLeft, bool ownDemand, PassingSlot slot,
                      AheadPart ahead = {})
    {
        if (depthLeft == 0)
            return leafPart(level, part, ownDemand);
        if (depthLeft == 1)
            return passingPart(level, part, xStart, yStart, slot);
        const std::int32_t entry =
            solve(level, part, xStart, yStart, depthLeft, level.working.data(), ahead);
        raiseSaturation(level, m_store.reading(entry));
        return {m_store.stateOf(entry), {}};
    }

    PartRef passingPart(Level& level, RectSize part, std::int32_t xStart, std::int32_t yStart,
                        PassingSlot slot)
    {
        std::int32_t* key = level.key.data();
        const std::int32_t* demand = level.working.data();
        placeKey(key, part, xStart, yStart, 1, demand, level.need.data());
        SolvedState& passing = level.passing[slotOf({slot, {}})];
        const auto place = m_recent.find(level.key);
        if (place.holdsKey && Readings::serves(m_recent.reading(place.slot), demand, m_n)) {
            passing = m_recent.solved(place.slot);
            raiseSaturation(level, m_recent.reading(place.slot));
            return {slot, {}};
        }
        auto [node, fill] = compute(key, demand);
        if (node.choice < 0)
            node.first = {-1, fill};
        passing = node;
        Reading* reading = m_recent.put(place, level.key, node);
        writeReading(reading, m_levels[static_cast<std::size_t>(m_level) + 1].saturation.data(),
                     demand);
        raiseSaturation(level, reading);
        return {slot, {}};
    }

    // A passing part that lifts the node moves to its held slot.
    static PartRef hold(Level& level, const PartRef& part)
    {
        if (isPassing(part))
            level.held[slotOf(part)] = level.passing[slotOf(part)];
        return part;
    }

    // A held part of a state being stored becomes a state of its own, which nothing looks up.
    PartRef stored(const Level& level, const PartRef& part)
    {
        if (!isPassing(part))
            return part;
        return {m_store.add(level.held[slotOf(part)]), {}};
    }

    // Puts the working copy back to the node's own demand and releases the pair.
    static void restoreWorking(LoopState& loop, Level& level)
    {
        if (loop.reduced) {
            if (level.takenByState)
                level.working = level.remaining;
            else
                for (const std::int32_t type : level.takenTypes)
                    level.working[static_cast<std::size_t>(type)] =
                        level.remaining[static_cast<std::size_t>(type)];
        }
        level.takenTypes.clear();
        level.takenByState = false;
        loop.reduced = false;
        loop.linked = false;
    }

    const SolvedState* solvedOf(const Level& level, const PartRef& part) const
    {
        if (part.state >= 0)
            return &m_store.state(part.state);
        return isPassing(part) ? &level.passing[slotOf(part)] : nullptr;
    }

    float valueOf(const Level& level, const PartRef& part) const
    {
        const SolvedState* solved = solvedOf(level, part);
        return solved ? solved->value : static_cast<float>(part.leaf.value);
    }

    std::int64_t nodesOf(const Level& level, const PartRef& part) const
    {
        const SolvedState* solved = solvedOf(level, part);
        return solved ? solved->nodes : 1;
    }

    // The value of a part's filling within the working copy, and whether its greedy bound
    // stops it there; both read the working copy, so they raise the saturation.
    struct PartTest {
        float value = 0.0f;
        bool stopped = false;
    };

    PartTest testPart(Level& level, RectSize part)
    {
        const std::span<const std::int32_t> working = level.working;
        raiseSaturationToFit(level, part);
        const auto value =
            static_cast<float>(m_fills.within(part.height, part.length, working).value);
        const float bound =
            greedyDemandBound(part.height, part.length, working, m_instance, level.need);
        raiseSaturation(level);
        return {value, bound == value};
    }

    bool discarded(const LoopState& loop, Level& level, RectSize whole, RectSize first,
                   RectSize second)
    {
        if (!m_settings.heuristicsOn)
            return false;
        const PartTest test = testPart(level, second);
        if (test.stopped)
            return false;
        greedyDemandBound(first.height, first.length, level.working, m_instance, level.need);
        raiseSaturation(level);
        return discardsConstrainedCut({whole, loop.node.value, first, second, test.value},
                                      level.working, m_instance, m_settings);
    }

    // Without the heuristic tests a pair that does not lift the node is released whatever its
    // parts hold; false when two leaves cannot lift it, one of them valued as first.
    bool leavesMayLift(const LoopState& loop, float firstValue, RectSize second)
    {
        return sumMayLift(loop, firstValue, m_ceilings->leaf(second));
    }

    std::int64_t usableOf(RectSize part, std::int32_t xStart, std::int32_t yStart) const
    {
        return m_usableX.count(xStart, part.height, part.length) +
               m_usableY.count(yStart, part.length, part.height);
    }

    // Whether a part with one level of cuts left, worth firstValue at most, and a second such
    // part may lift the node.
    bool pairMayLift(const LoopState& loop, float firstValue, RectSize second)
    {
        return sumMayLift(loop, firstValue, m_ceilings->withLevels(second, 1));
    }

    // The nodes a part with one level of cuts left spends when its value cannot matter:
    // itself, and two leaves per usable position unless its greedy bound stops it.
    std::int64_t nodesUnsolved(Level& level, RectSize part, std::int32_t xStart,
                               std::int32_t yStart)
    {
        const std::int64_t usable = usableOf(part, xStart, yStart);
        if (usable == 0)
            return 1; // no cut to make, whatever the test says
        return testPart(level, part).stopped ? 1 : 1 + 2 * usable;
    }

    void releaseUnseen(LoopState& loop, Level& level, std::int64_t nodes) const
    {
        loop.node.nodes = addNodes(loop.node.nodes, nodes);
        restoreWorking(loop, level);
    }

    void cutAt(LoopState& loop, Level& level, RectSize whole, RectSize first, RectSize second,
               std::int32_t xStart, std::int32_t yStart, std::int32_t depthLeft,
               std::int32_t choice)
    {
        if (depthLeft == 0 && !m_settings.heuristicsOn)
            cutLeaves(loop, level, first, second, choice);
        else
            cutParts(loop, level, whole, first, second, xStart, yStart, depthLeft, choice);
    }

    // A cut into two leaves without the heuristic tests, by far the most frequent: cutParts
    // for that case alone, kept small.
    void cutLeaves(LoopState& loop, Level& level, RectSize first, RectSize second,
                   std::int32_t choice)
    {
        if (!leavesMayLift(loop, m_ceilings->leaf(first), second))
            return releaseUnseen(loop, level, 2);
        const bool ownDemand = !loop.reduced;
        const PartRef one = leafPart(level, first, ownDemand);
        if (!leavesMayLift(loop, valueOf(level, one), second))
            return releaseUnseen(loop, level, 2);
        take(level, one);
        loop.reduced = true;
        const PartRef two = leafPart(level, second, ownDemand);
        take(level, two);
        loop.node.nodes = addNodes(loop.node.nodes, 2);
        keepIfBetter(loop, level, one, two, choice);
    }

    static bool sumMayLift(const LoopState& loop, float one, float two)
    {
        return andor::sumMayLift(loop.node.value, one, two);
    }

    // Whether the second part may lift the node with the first one's value: by its ceiling,
    // then by its bounds within the working copy, which they read up to the copies that fit.
    bool secondMayLift(const LoopState& loop, Level& level, float firstValue, RectSize second,
                       std::int32_t xStart, std::int32_t yStart, std::int32_t levels)
    {
        const float ceiling = m_ceilings->withLevels(second, levels);
        if (!sumMayLift(loop, firstValue, ceiling))
            return false;
        raiseSaturationToFit(level, second);
        return m_pairBounds.secondMayLift(loop.node.value, firstValue, ceiling, second, xStart,
                                          yStart, levels, level.working);
    }

    void cutParts(LoopState& loop, Level& level, RectSize whole, RectSize first, RectSize second,
                  std::int32_t xStart, std::int32_t yStart, std::int32_t depthLeft,
                  std::int32_t choice)
    {
        const bool pairs = depthLeft == 1 && !m_settings.heuristicsOn;
        if (m_bounded) {
            if (!m_pairBounds.partsMayLift(
                    loop.node.value,
                    {first, second, xStart, yStart,
                     choice < m_xSet.count ? CutsAllowed::LengthOnly : CutsAllowed::HeightOnly},
                    depthLeft, level.remaining))
                return releaseUnseen(loop, level, 0);
        } else if (pairs && usableOf(second, xStart, yStart) == 0 &&
                   !pairMayLift(loop, m_ceilings->withLevels(first, 1), second)) {
            // A second part without a cut to make spends one node whatever the first leaves
            // it, so a pair that cannot lift the node needs only the first part's node count.
            return releaseUnseen(loop, level, nodesUnsolved(level, first, xStart, yStart) + 1);
        }
        const bool ownDemand = !loop.reduced;
        const PartRef one =
            solvePart(level, first, xStart, yStart, depthLeft, ownDemand, PassingFirst,
                      aheadPart(level, choice, ownDemand, loop.node.value, 0));
        take(level, one);
        loop.reduced = true;
        SolvedState& node = loop.node;
        node.nodes = addNodes(node.nodes, nodesOf(level, one));
        if (m_bounded) {
            if (!secondMayLift(loop, level, valueOf(level, one), second, xStart, yStart, depthLeft))
                return releaseUnseen(loop, level, 0);
        } else if (pairs && !pairMayLift(loop, valueOf(level, one), second)) {
            return releaseUnseen(loop, level, nodesUnsolved(level, second, xStart, yStart));
        }
        if (discarded(loop, level, whole, first, second)) {
            node.nodes = addNodes(node.nodes, 1);
            loop.linked = false; // the working copy stays reduced by the first part
            return;
        }
        const PartRef two =
            solvePart(level, second, xStart, yStart, depthLeft, ownDemand, PassingSecond,
                      aheadPart(level, choice, ownDemand, node.value, 1));
        take(level, two);
        node.nodes = addNodes(node.nodes, nodesOf(level, two));
        keepIfBetter(loop, level, one, two, choice);
    }

    // Whether the greedy bound of the node's own demand equals its filling, which keeps the
    // filling; the node's result reads what the bound reads either way.
    bool keptByBound(Level& level, float fillValue) const
    {
        const bool kept = greedyDemandBound(level.rect.height, level.rect.length, level.remaining,
                                            m_instance, level.need) == fillValue;
        for (std::size_t i = 0; i < m_n; ++i)
            level.saturation[i] = std::max(level.saturation[i], level.need[i]);
        return kept;
    }

    // A strictly greater sum takes the node and stays linked with the working copy reduced;
    // any other puts the working copy back. The first sum to do so asks the greedy bound
    // first, if it is still to be asked.
    void keepIfBetter(LoopState& loop, Level& level, const PartRef& one, const PartRef& two,
                      std::int32_t choice)
    {
        SolvedState& node = loop.node;
        const double sum =
            static_cast<double>(valueOf(level, one)) + static_cast<double>(valueOf(level, two));
        if (sum > static_cast<double>(node.value) && loop.boundPending) {
            loop.boundPending = false;
            loop.keptByBound = keptByBound(level, node.value);
        }
        if (sum > static_cast<double>(node.value) && !loop.keptByBound) {
            node.value = static_cast<float>(sum);
            node.choice = choice;
            node.first = hold(level, one);
            node.second = hold(level, two);
            loop.linked = true;
            loop.linkedSum = sum;
        } else {
            restoreWorking(loop, level);
        }
    }

    const problem::TInstance& m_instance;
    const SolverSettings& m_settings;
    const TDiscretizationSet& m_xSet;
    const TDiscretizationSet& m_ySet;
    std::size_t m_n;
    NodeCounting m_counting;
    Helping m_helping;
    std::vector<std::int32_t> m_demands;
    // Looked up by their key words and what fits of their demand.
    ConstrainedStates<Count> m_store{keyWords(), m_n};
    // Pairs are skipped by their ceilings alone when no heuristic test acts on them and the
    // nodes they would take need not be counted.
    bool m_bounded;
    FitTable m_fits{m_instance};
    PartSides m_sides{m_xSet, m_instance.plateHeight, m_ySet, m_instance.plateLength};
    RecentStates<Reading> m_recent{keyWords(), m_n, recentBytes, recentSlots()};
    DemandFills m_fills{m_instance, m_fits, m_sides};
    DemandBound m_bound{m_instance, m_fits};
    OneCutBound m_oneCut{m_instance, m_fills, m_fits, m_xSet, m_ySet, m_sides};
    UsableCounts m_usableX{m_xSet, m_instance.plateHeight, m_instance.plateLength};
    UsableCounts m_usableY{m_ySet, m_instance.plateLength, m_instance.plateHeight};
    std::shared_ptr<CutCeilings> m_ceilings;
    PairBounds m_pairBounds{*m_ceilings, m_bound, m_oneCut, m_fills};
    std::deque<Level> m_levels; // a deque keeps each level in place as it grows
    int m_level = 0;
    std::int64_t m_statesSolved = 0;
    StackRoom m_stack; // of the thread that runs the search
    // Last, so that its thread, which reads the members above, ends first.
    std::unique_ptr<PartsAhead> m_ahead;
};

} // namespace

namespace {

// Keys and readings hold no count above a type's demand: a key what fits of it, a reading
// the demand cut off at a saturation, doubled, plus one.
bool countsFitSixteenBits(const problem::TInstance& instance)
{
    for (int i = 0; i < instance.pieceCount; ++i) {
        const std::int32_t demand = instance.pieces[static_cast<std::size_t>(i)].demand;
        if (demand < 0 || 2 * std::int64_t{demand} + 1 > std::numeric_limits<std::uint16_t>::max())
            return false;
    }
    return true;
}

} // namespace

SearchOutcome fastSearchConstrained(const problem::TInstance& instance,
                                    const SolverSettings& settings, const TDiscretizationSet& xSet,
                                    const TDiscretizationSet& ySet, NodeCounting counting,
                                    Helping helping)
{
    if (countsFitSixteenBits(instance))
        return ConstrainedEngine<std::uint16_t>(instance, settings, xSet, ySet, counting, helping)
            .run();
    return ConstrainedEngine<std::int32_t>(instance, settings, xSet, ySet, counting, helping).run();
}

} // namespace andor
