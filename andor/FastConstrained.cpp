#include <algorithm>
#include <span>

#include "CutHeuristics.h"
#include "FastSearch.h"
#include "FitTable.h"
#include "HomogeneousFilling.h"
#include "SolvedStates.h"
#include "StateMemo.h"
#include "ValueBounds.h"

namespace {

// A node's result depends on its rectangle, the first usable position along each axis, the
// depth left, its remaining demand, and whether a position that does not fit precedes the
// first usable length position: such a position compares a pair kept from the height cuts
// again and, when it does not improve, puts the working copy back.
enum KeyWord {
    KeyHeight,
    KeyLength,
    KeyXStart,
    KeyYStart,
    KeyLeadingMiss,
    KeyDepthLeft,
    KeyRemaining
};

// Where the constrained loop stands between two positions.
struct LoopState {
    SolvedState node;
    bool linked = false;    // a pair kept at the last position is still linked
    double linkedSum = 0.0; // that pair's sum
};

class ConstrainedEngine {
public:
    ConstrainedEngine(const TInstance& instance, const SolverSettings& settings,
                      const TDiscretizationSet& xSet, const TDiscretizationSet& ySet)
        : m_instance(instance), m_settings(settings), m_xSet(xSet), m_ySet(ySet),
          m_n(static_cast<std::size_t>(instance.pieceCount)),
          m_memo(KeyRemaining + instance.pieceCount)
    {
    }

    SearchOutcome run()
    {
        std::vector<std::int32_t> key(KeyRemaining + m_n);
        std::vector<std::int32_t> demands(m_n);
        for (std::size_t i = 0; i < m_n; ++i)
            demands[i] = m_instance.pieces[i].demand;
        fillKey(key.data(), {m_instance.plateHeight, m_instance.plateLength}, 0, 0,
                m_settings.depthLimit, demands.data());
        const std::int32_t root = solve(key);
        return outcomeOf(root, m_memo.size(), m_instance, m_states, m_xSet, m_ySet,
                         [&](std::int32_t state) {
                             const auto key = m_memo.key(state);
                             return bestHomogeneousWithin(key[KeyHeight], key[KeyLength],
                                                          remainingOf(key), m_instance);
                         });
    }

private:
    const std::int32_t* countsOf(std::int32_t state) const
    {
        return m_counts.data() + static_cast<std::size_t>(state) * m_n;
    }

    std::span<const std::int32_t> remainingOf(std::span<const std::int32_t> key) const
    {
        return key.subspan(KeyRemaining, m_n);
    }

    void fillKey(std::int32_t* key, RectSize part, std::int32_t xStart, std::int32_t yStart,
                 std::int32_t depthLeft, const std::int32_t* remaining) const
    {
        const std::int32_t ys = firstUsable(m_ySet, yStart, part.length, part.height);
        key[KeyHeight] = part.height;
        key[KeyLength] = part.length;
        key[KeyXStart] = firstUsable(m_xSet, xStart, part.height, part.length);
        key[KeyYStart] = ys;
        key[KeyLeadingMiss] = yStart < ys ? 1 : 0;
        key[KeyDepthLeft] = depthLeft;
        std::copy_n(remaining, m_n, key + KeyRemaining);
    }

    // Scratch of one recursion level: remaining, working copy, and a child's key.
    std::int32_t* levelBuffer(int level)
    {
        while (m_buffers.size() <= static_cast<std::size_t>(level))
            m_buffers.emplace_back(3 * m_n + KeyRemaining);
        return m_buffers[static_cast<std::size_t>(level)].data();
    }

    std::int32_t solve(std::span<const std::int32_t> key)
    {
        const auto [id, fresh] = m_memo.intern(key);
        if (!fresh)
            return id;
        m_states.emplace_back();
        m_counts.resize(m_counts.size() + m_n, 0);
        compute(id);
        return id;
    }

    void compute(std::int32_t id)
    {
        RecursionGuard guard(m_level);
        std::int32_t* remaining = levelBuffer(m_level);
        std::int32_t* working = remaining + m_n;
        const auto key = m_memo.key(id);
        std::copy_n(key.begin() + KeyRemaining, m_n, remaining);
        const std::int32_t a = key[KeyHeight], b = key[KeyLength];
        const std::int32_t xStart = key[KeyXStart], yStart = key[KeyYStart];
        const bool leadingMiss = key[KeyLeadingMiss] != 0;
        const std::int32_t depthLeft = key[KeyDepthLeft];
        const std::span<const std::int32_t> own(remaining, m_n);

        LoopState loop;
        const HomogeneousFill fill = m_fits.bestWithin(a, b, own);
        loop.node.value = static_cast<float>(fill.value);
        if (depthLeft > 0 && greedyDemandBound(a, b, own, m_instance) != loop.node.value) {
            std::copy_n(remaining, m_n, working);
            for (std::int32_t j = xStart; j < m_xSet.count; ++j) {
                const std::int32_t x = m_xSet.points[static_cast<std::size_t>(j)];
                if (x > a) {
                    passOver(loop, remaining, working);
                    break;
                }
                if (m_xSet.floors[static_cast<std::size_t>(j)] <= b)
                    cutAt(loop, {a, b}, {x, b}, {a - x, b}, j, 0, depthLeft - 1, j);
                else
                    passOver(loop, remaining, working);
            }
            if (leadingMiss)
                passOver(loop, remaining, working);
            for (std::int32_t k = yStart; k < m_ySet.count; ++k) {
                const std::int32_t y = m_ySet.points[static_cast<std::size_t>(k)];
                if (y > b)
                    break; // nothing comes after the last position
                if (m_ySet.floors[static_cast<std::size_t>(k)] <= a)
                    cutAt(loop, {a, b}, {a, y}, {a, b - y}, 0, k, depthLeft - 1, m_xSet.count + k);
                else
                    passOver(loop, remaining, working);
            }
        }
        storeResult(id, loop.node, fill);
    }

    void addCounts(std::int32_t* counts, const PartRef& part) const
    {
        if (part.state < 0) {
            if (part.leaf.value != 0)
                counts[static_cast<std::size_t>(part.leaf.type)] += part.leaf.count;
            return;
        }
        const std::int32_t* partCounts = countsOf(part.state);
        for (std::size_t i = 0; i < m_n; ++i)
            counts[i] += partCounts[i];
    }

    void storeResult(std::int32_t id, const SolvedState& node, const HomogeneousFill& fill)
    {
        std::int32_t* counts = m_counts.data() + static_cast<std::size_t>(id) * m_n;
        if (node.choice >= 0) {
            addCounts(counts, node.first);
            addCounts(counts, node.second);
        } else if (node.value != 0.0f) {
            counts[static_cast<std::size_t>(fill.type)] = fill.count;
        }
        m_states[static_cast<std::size_t>(id)] = node;
    }

    // A position that does not fit: a pair still linked is compared again.
    void passOver(LoopState& loop, const std::int32_t* remaining, std::int32_t* working) const
    {
        if (loop.linked && !(loop.linkedSum > static_cast<double>(loop.node.value))) {
            std::copy_n(remaining, m_n, working);
            loop.linked = false;
        }
    }

    void subtract(std::int32_t* working, const PartRef& part) const
    {
        if (part.state < 0) {
            if (part.leaf.value != 0)
                working[static_cast<std::size_t>(part.leaf.type)] -= part.leaf.count;
            return;
        }
        const std::int32_t* counts = countsOf(part.state);
        for (std::size_t i = 0; i < m_n; ++i)
            working[i] -= counts[i];
    }

    // A part with no depth left is a leaf: its homogeneous filling within the working copy.
    PartRef solvePart(RectSize part, std::int32_t xStart, std::int32_t yStart,
                      std::int32_t depthLeft, const std::int32_t* working, std::int32_t* key)
    {
        if (depthLeft == 0)
            return {-1, m_fits.bestWithin(part.height, part.length, {working, m_n})};
        fillKey(key, part, xStart, yStart, depthLeft, working);
        return {solve({key, KeyRemaining + m_n}), {}};
    }

    float valueOf(const PartRef& part) const
    {
        return part.state >= 0 ? m_states[static_cast<std::size_t>(part.state)].value
                               : static_cast<float>(part.leaf.value);
    }

    std::int64_t nodesOf(const PartRef& part) const
    {
        return part.state >= 0 ? m_states[static_cast<std::size_t>(part.state)].nodes : 1;
    }

    bool discarded(const LoopState& loop, RectSize whole, RectSize first, RectSize second,
                   std::span<const std::int32_t> remaining) const
    {
        if (!m_settings.heuristicsOn)
            return false;
        const auto partValue =
            static_cast<float>(m_fits.bestWithin(second.height, second.length, remaining).value);
        if (greedyDemandBound(second.height, second.length, remaining, m_instance) == partValue)
            return false;
        return discardsConstrainedCut({whole, loop.node.value, first, second, partValue}, remaining,
                                      m_instance, m_settings);
    }

    void cutAt(LoopState& loop, RectSize whole, RectSize first, RectSize second,
               std::int32_t xStart, std::int32_t yStart, std::int32_t depthLeft,
               std::int32_t choice)
    {
        std::int32_t* remaining = levelBuffer(m_level);
        std::int32_t* working = remaining + m_n;
        std::int32_t* childKey = working + m_n;
        const PartRef one = solvePart(first, xStart, yStart, depthLeft, working, childKey);
        subtract(working, one);
        SolvedState& node = loop.node;
        node.nodes = addNodes(node.nodes, nodesOf(one));
        if (discarded(loop, whole, first, second, {working, m_n})) {
            node.nodes = addNodes(node.nodes, 1);
            loop.linked = false; // the working copy stays reduced by the first part
            return;
        }
        const PartRef two = solvePart(second, xStart, yStart, depthLeft, working, childKey);
        subtract(working, two);
        node.nodes = addNodes(node.nodes, nodesOf(two));
        const double sum = static_cast<double>(valueOf(one)) + static_cast<double>(valueOf(two));
        if (sum > static_cast<double>(node.value)) {
            node.value = static_cast<float>(sum);
            node.choice = choice;
            node.first = one;
            node.second = two;
            loop.linked = true;
            loop.linkedSum = sum;
        } else {
            std::copy_n(remaining, m_n, working);
            loop.linked = false;
        }
    }

    const TInstance& m_instance;
    const SolverSettings& m_settings;
    const TDiscretizationSet& m_xSet;
    const TDiscretizationSet& m_ySet;
    std::size_t m_n;
    StateMemo m_memo;
    FitTable m_fits{m_instance};
    std::vector<SolvedState> m_states;
    std::vector<std::int32_t> m_counts; // m_n per state
    std::vector<std::vector<std::int32_t>> m_buffers;
    int m_level = 0;
};

} // namespace

SearchOutcome fastSearchConstrained(const TInstance& instance, const SolverSettings& settings,
                                    const TDiscretizationSet& xSet, const TDiscretizationSet& ySet)
{
    return ConstrainedEngine(instance, settings, xSet, ySet).run();
}
