#include <array>
#include <limits>
#include <optional>

#include "andor/bounds/FitTable.h"
#include "andor/fast/BestPairs.h"
#include "andor/fast/FastSearch.h"
#include "andor/fast/RectValueCache.h"
#include "andor/fast/SolvedStates.h"
#include "andor/fast/StateMemo.h"
#include "andor/rules/CutHeuristics.h"

namespace andor {

namespace {

// A node's result depends only on its rectangle, the usable positions left to it and the
// depth left: the first usable index stands for the start index, since a position that does
// not fit changes neither value nor counts here.
enum KeyWord { KeyHeight, KeyLength, KeyXStart, KeyYStart, KeyDepthLeft, KeyWords };

class UnconstrainedEngine {
public:
    UnconstrainedEngine(const problem::TInstance& instance, const SolverSettings& settings,
                        const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
                        NodeCounting counting)
        : m_instance(instance), m_settings(settings), m_xSet(xSet), m_ySet(ySet),
          m_counting(counting)
    {
    }

    SearchOutcome run()
    {
        const std::int32_t a = m_instance.plateHeight, b = m_instance.plateLength;
        const std::int32_t root = solve(a, b, firstUsable(m_xSet, 0, a, b),
                                        firstUsable(m_ySet, 0, b, a), m_settings.depthLimit);
        SearchOutcome outcome = outcomeOf(root, statesSolved(), m_instance, m_states, m_xSet,
                                          m_ySet, [&](std::int32_t state) {
                                              const auto key = m_memo.key(state);
                                              return m_fits.best(key[KeyHeight], key[KeyLength]);
                                          });
        if (m_counting == NodeCounting::Skip)
            outcome.nodesExamined.reset();
        return outcome;
    }

private:
    std::int32_t solve(std::int32_t a, std::int32_t b, std::int32_t xStart, std::int32_t yStart,
                       std::int32_t depthLeft)
    {
        const std::array<std::int32_t, KeyWords> key{a, b, xStart, yStart, depthLeft};
        const auto [id, fresh] = m_memo.intern(key);
        if (!fresh)
            return id;
        m_states.emplace_back();
        const SolvedState solved = compute(a, b, xStart, yStart, depthLeft);
        m_states[static_cast<std::size_t>(id)] = solved;
        return id;
    }

    SolvedState compute(std::int32_t a, std::int32_t b, std::int32_t xStart, std::int32_t yStart,
                        std::int32_t depthLeft)
    {
        RecursionGuard guard(m_level, m_stack);
        noteStateSolving(m_settings.control, statesSolved());
        SolvedState node;
        node.value = leafValue(a, b);
        if (depthLeft == 0 || solvedByBound(a, b))
            return node;
        const RectSize whole{a, b};
        if (depthLeft == 1 && !m_settings.heuristicsOn && !m_leafValues.uncached()) {
            tryLeafCuts(node, whole, xStart, yStart);
        } else if (depthLeft == 1) {
            forEachCut(whole, xStart, yStart, [&](const PartsOfCut& cut) {
                tryLeafCut(node, whole, cut.first, cut.second, cut.choice);
            });
        } else {
            forEachCut(whole, xStart, yStart, [&](const PartsOfCut& cut) {
                tryCut(node, whole, cut.first, cut.second, cut.xStart, cut.yStart, depthLeft - 1,
                       cut.choice);
            });
        }
        fillChosenLeaves(node, a, b);
        return node;
    }

    // A usable cut of a rectangle: its parts, their start indexes and its choice number.
    struct PartsOfCut {
        RectSize first;
        RectSize second;
        std::int32_t xStart = 0;
        std::int32_t yStart = 0;
        std::int32_t choice = 0;
    };

    // Calls visit for each usable cut from the start indexes, x positions first.
    template <typename Visit>
    void forEachCut(RectSize whole, std::int32_t xStart, std::int32_t yStart, Visit&& visit) const
    {
        const std::int32_t a = whole.height, b = whole.length;
        forEachUsable(m_xSet, xStart, a, b, [&](std::int32_t j, std::int32_t x) {
            visit(PartsOfCut{{x, b}, {a - x, b}, j, 0, j});
        });
        forEachUsable(m_ySet, yStart, b, a, [&](std::int32_t k, std::int32_t y) {
            visit(PartsOfCut{{a, y}, {a, b - y}, 0, k, m_xSet.count + k});
        });
    }

    // Calls visit(index, position) for each position of the set from start that fits side and
    // whose floor fits across.
    template <typename Visit>
    static void forEachUsable(const TDiscretizationSet& set, std::int32_t start, std::int32_t side,
                              std::int32_t across, Visit&& visit)
    {
        for (std::int32_t i = start; i < set.count; ++i) {
            const std::int32_t position = set.points[static_cast<std::size_t>(i)];
            if (position > side)
                break;
            if (set.floors[static_cast<std::size_t>(i)] <= across)
                visit(i, position);
        }
    }

    // The fillings of the chosen pair's leaves, looked up once the pair is final.
    void fillChosenLeaves(SolvedState& node, std::int32_t a, std::int32_t b) const
    {
        if (node.choice < 0)
            return;
        const StateCut cut = stateCut(node.choice, a, b, m_xSet, m_ySet);
        if (node.first.state < 0)
            node.first.leaf = m_fits.best(cut.first.height, cut.first.length);
        if (node.second.state < 0)
            node.second.leaf = m_fits.best(cut.second.height, cut.second.length);
    }

    // A part as the search sees it; a leaf's filling is looked up only if its pair is chosen.
    // A part with one level of cuts left whose best pair of leaves was looked up becomes a
    // state only if its own pair is kept.
    static constexpr std::int32_t stateToMake = -2;

    struct Part {
        std::int32_t state = -1;
        float value = 0.0f;
        std::int64_t nodes = 1;
        RectSize rectangle{}; // with the first usable indexes and the levels, of a state to make
        std::int32_t xStart = 0;
        std::int32_t yStart = 0;
        std::int32_t levels = 0;
    };

    float leafValue(std::int32_t a, std::int32_t b)
    {
        return m_leafValues.get(a, b, [this](std::int32_t height, std::int32_t length) {
            return leafOf(height, length);
        });
    }

    float leafOf(std::int32_t a, std::int32_t b) const
    {
        return static_cast<float>(m_fits.best(a, b).value);
    }

    // Whether step 4 stops every node of a x b before any cut, by rectangle.
    bool solvedByBound(std::int32_t a, std::int32_t b)
    {
        return m_solvedByBound.get(a, b, [this](std::int32_t height, std::int32_t length) {
            const double bound = m_fits.bound(height, length);
            return bound == static_cast<double>(leafValue(height, length)) ? 1.0f : 0.0f;
        }) != 0.0f;
    }

    // A part the search never expands (no depth left, or solved by its bound) stays a leaf.
    Part solvePart(RectSize part, std::int32_t xStart, std::int32_t yStart, std::int32_t depthLeft)
    {
        if (depthLeft == 0 || solvedByBound(part.height, part.length))
            return {-1, leafValue(part.height, part.length), 1};
        const std::int32_t xs = firstUsable(m_xSet, xStart, part.height, part.length);
        const std::int32_t ys = firstUsable(m_ySet, yStart, part.length, part.height);
        if (depthLeft <= m_tableLevels)
            if (const auto pair = bestPair(part, xs, ys, depthLeft))
                return *pair;
        const std::int32_t id = solve(part.height, part.length, xs, ys, depthLeft);
        const SolvedState& solved = m_states[static_cast<std::size_t>(id)];
        return {id, solved.value, solved.nodes};
    }

    // How many levels of cuts left the parts read from best pairs may have: one where each
    // pair of leaves sums to a float exactly, two where every pattern does and the nodes of
    // the pairs not made need not be counted; none with the heuristic tests.
    std::int32_t levelsForTables() const
    {
        if (m_settings.heuristicsOn || m_leafValues.uncached())
            return 0;
        const std::int32_t a = m_instance.plateHeight, b = m_instance.plateLength;
        constexpr std::int64_t exact = std::int64_t{1} << 24;
        if (m_counting == NodeCounting::Skip && m_fits.densestFilling(a, b) < exact)
            return 2;
        return 2 * std::int64_t{m_fits.best(a, b).value} < exact ? 1 : 0;
    }

    // A part with up to m_tableLevels levels of cuts left, from its best pairs; none when there
    // is no room for them. Nodes are counted only with one level left, the only one read from
    // best pairs while they are counted.
    std::optional<Part> bestPair(RectSize part, std::int32_t xs, std::int32_t ys,
                                 std::int32_t levels)
    {
        const std::int32_t a = part.height, b = part.length;
        const float leaf = leafValue(a, b);
        // A pair whose ceilings cannot pass the rectangle's own filling is never chosen, so
        // its parts are not valued.
        const auto sumOf = [&](RectSize one, RectSize two, std::int32_t xStart,
                               std::int32_t yStart) {
            if (levels > 1 && !sumPasses(ceiling(one, levels - 1), ceiling(two, levels - 1), leaf))
                return -1.0f;
            return solvePart(one, xStart, yStart, levels - 1).value +
                   solvePart(two, xStart, yStart, levels - 1).value;
        };
        const auto pairSum = [&](bool alongHeight, std::int32_t index, std::int32_t position) {
            if (alongHeight)
                return sumOf({position, b}, {a - position, b}, index, 0);
            return sumOf({a, position}, {a, b - position}, 0, index);
        };
        // Making a rectangle's pairs is a step of the run, like solving a state.
        noteStateSolving(m_settings.control, statesSolved());
        BestPairs::Suffixes suffixes;
        if (!m_pairs[static_cast<std::size_t>(levels) - 1].find(a, b, pairSum, suffixes))
            return std::nullopt;
        const BestPairs::Best alongHeight = suffixes.fromX(xs);
        const BestPairs::Best alongLength = suffixes.fromY(ys);
        Part best{-1, leaf, 1 + 2 * std::int64_t{alongHeight.usable + alongLength.usable}};
        if (alongHeight.sum > best.value) {
            best.value = alongHeight.sum;
            best.state = stateToMake;
        }
        if (alongLength.sum > best.value) {
            best.value = alongLength.sum;
            best.state = stateToMake;
        }
        if (best.state == stateToMake) {
            best.rectangle = part;
            best.xStart = xs;
            best.yStart = ys;
            best.levels = levels;
        }
        return best;
    }

    // The state of a part, made now if it is still to make.
    std::int32_t stateOf(const Part& part)
    {
        if (part.state != stateToMake)
            return part.state;
        return solve(part.rectangle.height, part.rectangle.length, part.xStart, part.yStart,
                     part.levels);
    }

    // The heuristic tests of a second part; one solved by its bound is never discarded.
    bool discarded(const SolvedState& node, RectSize whole, RectSize first, RectSize second)
    {
        if (!m_settings.heuristicsOn)
            return false;
        if (solvedByBound(second.height, second.length))
            return false;
        return discardsUnconstrainedCut(
            {whole, node.value, first, second, leafValue(second.height, second.length)}, m_instance,
            m_settings);
    }

    // Whether a pair worth up to one plus two may lift the node. With nothing to spend but
    // its nodes, a pair that cannot is skipped unsolved where nodes are not counted: it would
    // leave the node as it is, discarded by the heuristic tests or not.
    bool mayLift(const SolvedState& node, float one, float two) const
    {
        return m_counting == NodeCounting::Count || sumPasses(one, two, node.value);
    }

    static bool sumPasses(float one, float two, float value)
    {
        return static_cast<double>(one) + static_cast<double>(two) > static_cast<double>(value);
    }

    // The most a part with depthLeft levels of cuts left can be worth: its densest filling,
    // and 2^depthLeft blocks of its best filling. Where its pieces may be worth 2^24 or more,
    // the float sums of its patterns may round above either: no bound.
    float ceiling(RectSize part, std::int32_t depthLeft)
    {
        const std::int64_t most = m_fits.densestFilling(part.height, part.length);
        const float densest = most < std::int64_t{1} << 24 ? static_cast<float>(most)
                                                           : std::numeric_limits<float>::infinity();
        if (depthLeft >= 24)
            return densest;
        return std::min(densest, leafValue(part.height, part.length) *
                                     static_cast<float>(std::int32_t{1} << depthLeft));
    }

    void tryCut(SolvedState& node, RectSize whole, RectSize first, RectSize second,
                std::int32_t xStart, std::int32_t yStart, std::int32_t depthLeft,
                std::int32_t choice)
    {
        const float secondCeiling = ceiling(second, depthLeft);
        if (!mayLift(node, ceiling(first, depthLeft), secondCeiling))
            return;
        const Part one = solvePart(first, xStart, yStart, depthLeft);
        node.nodes = addNodes(node.nodes, one.nodes);
        if (discarded(node, whole, first, second)) {
            node.nodes = addNodes(node.nodes, 1);
            return;
        }
        if (!mayLift(node, one.value, secondCeiling))
            return;
        const Part two = solvePart(second, xStart, yStart, depthLeft);
        node.nodes = addNodes(node.nodes, two.nodes);
        keepIfBetter(node, one, two, choice);
    }

    // tryCut for parts with no depth left, which stay leaves: the most frequent cut, kept lean.
    void tryLeafCut(SolvedState& node, RectSize whole, RectSize first, RectSize second,
                    std::int32_t choice)
    {
        const Part one{-1, leafValue(first.height, first.length), 1};
        if (discarded(node, whole, first, second)) {
            node.nodes = addNodes(node.nodes, 2);
            return;
        }
        const Part two{-1, leafValue(second.height, second.length), 1};
        node.nodes = addNodes(node.nodes, 2);
        keepIfBetter(node, one, two, choice);
    }

    // The best sum of two leaves so far; only a strictly greater one replaces it.
    struct BestLeafPair {
        float value;
        std::int32_t choice = -1;
        std::int64_t pairs = 0;

        void consider(float one, float two, std::int32_t cut)
        {
            ++pairs;
            const double sum = static_cast<double>(one) + static_cast<double>(two);
            if (sum > static_cast<double>(value)) {
                value = static_cast<float>(sum);
                choice = cut;
            }
        }
    };

    // tryLeafCut for every cut of a rectangle without the heuristic tests, the most frequent
    // loop of all: each leaf's value is looked up along the rectangle's length or height.
    void tryLeafCuts(SolvedState& node, RectSize whole, std::int32_t xStart, std::int32_t yStart)
    {
        const std::int32_t a = whole.height, b = whole.length;
        BestLeafPair best{node.value};
        const auto ofLength = m_leafValues.ofLength(b);
        forEachUsable(m_xSet, xStart, a, b, [&](std::int32_t j, std::int32_t x) {
            best.consider(ofLength.get(x, [&] { return leafOf(x, b); }),
                          ofLength.get(a - x, [&] { return leafOf(a - x, b); }), j);
        });
        const auto ofHeight = m_leafValues.ofHeight(a);
        forEachUsable(m_ySet, yStart, b, a, [&](std::int32_t k, std::int32_t y) {
            best.consider(ofHeight.get(y, [&] { return leafOf(a, y); }),
                          ofHeight.get(b - y, [&] { return leafOf(a, b - y); }), m_xSet.count + k);
        });
        node.nodes = addNodes(node.nodes, 2 * best.pairs);
        if (best.choice >= 0) {
            node.value = best.value;
            node.choice = best.choice;
            node.first = {};
            node.second = {};
        }
    }

    // The states solved and the rectangles whose best pairs were made.
    std::int64_t statesSolved() const
    {
        return m_memo.size() + m_pairs[0].rectanglesMade() + m_pairs[1].rectanglesMade();
    }

    // Only a strictly greater sum replaces the pair so far, so the earliest wins a tie.
    void keepIfBetter(SolvedState& node, const Part& one, const Part& two, std::int32_t choice)
    {
        const double sum = static_cast<double>(one.value) + static_cast<double>(two.value);
        if (sum > static_cast<double>(node.value)) {
            node.value = static_cast<float>(sum);
            node.choice = choice;
            node.first = {stateOf(one), {}};
            node.second = {stateOf(two), {}};
        }
    }

    const problem::TInstance& m_instance;
    const SolverSettings& m_settings;
    const TDiscretizationSet& m_xSet;
    const TDiscretizationSet& m_ySet;
    NodeCounting m_counting;
    StateMemo m_memo{KeyWords, sizeof(SolvedState)};
    std::vector<SolvedState> m_states;
    FitTable m_fits{m_instance};
    PartSides m_sides{m_xSet, m_instance.plateHeight, m_ySet, m_instance.plateLength};
    RectValueCache m_leafValues{m_sides};
    RectValueCache m_solvedByBound{m_sides};
    // For parts with one and with two levels of cuts left: the pairs of the second read the
    // first.
    std::array<BestPairs, 2> m_pairs{BestPairs{m_xSet, m_ySet, m_sides},
                                     BestPairs{m_xSet, m_ySet, m_sides}};
    std::int32_t m_tableLevels = levelsForTables();
    int m_level = 0;
    StackRoom m_stack; // of the thread that runs the search
};

} // namespace

SearchOutcome fastSearchUnconstrained(const problem::TInstance& instance,
                                      const SolverSettings& settings,
                                      const TDiscretizationSet& xSet,
                                      const TDiscretizationSet& ySet, NodeCounting counting)
{
    return UnconstrainedEngine(instance, settings, xSet, ySet, counting).run();
}

} // namespace andor
