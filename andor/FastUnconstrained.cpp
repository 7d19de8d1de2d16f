#include <array>

#include "CutHeuristics.h"
#include "FastSearch.h"
#include "HomogeneousFilling.h"
#include "SolvedStates.h"
#include "ValueBounds.h"

namespace {

// A node's result depends only on its rectangle, the usable positions left to it and the
// depth left: the first usable index stands for the start index, since a position that does
// not fit changes neither value nor counts here.
enum KeyWord { KeyHeight, KeyLength, KeyXStart, KeyYStart, KeyDepthLeft, KeyWords };

class UnconstrainedEngine {
public:
    UnconstrainedEngine(const TInstance& instance, const SolverSettings& settings,
                        const TDiscretizationSet& xSet, const TDiscretizationSet& ySet)
        : m_instance(instance), m_settings(settings), m_xSet(xSet), m_ySet(ySet) {}

    SearchOutcome run() {
        const std::int32_t a = m_instance.plateHeight, b = m_instance.plateLength;
        const std::int32_t root = solve(a, b, firstUsable(m_xSet, 0, a, b),
                                        firstUsable(m_ySet, 0, b, a), m_settings.depthLimit);
        SearchOutcome outcome;
        const SolvedState& solved = m_states[static_cast<std::size_t>(root)];
        outcome.value = solved.value;
        outcome.nodesExamined = solved.nodes;
        outcome.statesSolved = m_memo.size();
        outcome.layout = unfoldLayout(root, m_states, m_memo, m_xSet, m_ySet,
                                      [&](std::int32_t state) { return block(state, outcome); });
        return outcome;
    }

private:
    // The state's homogeneous block; its pieces are added to the outcome's counts.
    LayoutNode block(std::int32_t state, SearchOutcome& outcome) const {
        const auto key = m_memo.key(state);
        LayoutNode node;
        node.height = key[KeyHeight];
        node.length = key[KeyLength];
        const HomogeneousFill fill = bestHomogeneous(node.height, node.length, m_instance);
        if (static_cast<float>(fill.value) == 0.0f)
            return node;
        const TPieceType& piece = m_instance.pieces[static_cast<std::size_t>(fill.type)];
        node.type = fill.type;
        node.rows = node.height / piece.height;
        node.columns = node.length / piece.length;
        node.count = fill.count;
        outcome.counts[static_cast<std::size_t>(fill.type)] += fill.count;
        return node;
    }

    std::int32_t solve(std::int32_t a, std::int32_t b, std::int32_t xStart, std::int32_t yStart,
                       std::int32_t depthLeft) {
        const std::array<std::int32_t, KeyWords> key{a, b, xStart, yStart, depthLeft};
        const auto [id, fresh] = m_memo.intern(key);
        if (!fresh)
            return id;
        m_states.emplace_back();
        const SolvedState solved = compute(a, b, xStart, yStart, depthLeft);
        m_states[static_cast<std::size_t>(id)] = solved;
        return id;
    }

    SolvedState compute(std::int32_t a, std::int32_t b, std::int32_t xStart,
                        std::int32_t yStart, std::int32_t depthLeft) {
        RecursionGuard guard(m_level);
        SolvedState node;
        node.value = static_cast<float>(bestHomogeneous(a, b, m_instance).value);
        if (depthLeft == 0 || areaBound(a, b, m_instance) == static_cast<double>(node.value))
            return node;
        for (std::int32_t j = xStart; j < m_xSet.count; ++j) {
            const std::int32_t x = m_xSet.points[static_cast<std::size_t>(j)];
            if (x > a)
                break;
            if (m_xSet.floors[static_cast<std::size_t>(j)] <= b)
                tryCut(node, {a, b}, {x, b}, {a - x, b}, j, 0, depthLeft - 1, j);
        }
        for (std::int32_t k = yStart; k < m_ySet.count; ++k) {
            const std::int32_t y = m_ySet.points[static_cast<std::size_t>(k)];
            if (y > b)
                break;
            if (m_ySet.floors[static_cast<std::size_t>(k)] <= a)
                tryCut(node, {a, b}, {a, y}, {a, b - y}, 0, k, depthLeft - 1, m_xSet.count + k);
        }
        return node;
    }

    std::int32_t solvePart(RectSize part, std::int32_t xStart, std::int32_t yStart,
                           std::int32_t depthLeft) {
        return solve(part.height, part.length,
                     firstUsable(m_xSet, xStart, part.height, part.length),
                     firstUsable(m_ySet, yStart, part.length, part.height), depthLeft);
    }

    // The heuristic tests of a second part; one solved by its bound is never discarded.
    bool discarded(const SolvedState& node, RectSize whole, RectSize first, RectSize second) {
        if (!m_settings.heuristicsOn)
            return false;
        const auto partValue =
            static_cast<float>(bestHomogeneous(second.height, second.length, m_instance).value);
        if (areaBound(second.height, second.length, m_instance) ==
            static_cast<double>(partValue))
            return false;
        return discardsUnconstrainedCut({whole, node.value, first, second, partValue},
                                        m_instance, m_settings);
    }

    void tryCut(SolvedState& node, RectSize whole, RectSize first, RectSize second,
                std::int32_t xStart, std::int32_t yStart, std::int32_t depthLeft,
                std::int32_t choice) {
        const std::int32_t firstId = solvePart(first, xStart, yStart, depthLeft);
        node.nodes = addNodes(node.nodes, m_states[static_cast<std::size_t>(firstId)].nodes);
        if (discarded(node, whole, first, second)) {
            node.nodes = addNodes(node.nodes, 1);
            return;
        }
        const std::int32_t secondId = solvePart(second, xStart, yStart, depthLeft);
        const SolvedState& one = m_states[static_cast<std::size_t>(firstId)];
        const SolvedState& two = m_states[static_cast<std::size_t>(secondId)];
        node.nodes = addNodes(node.nodes, two.nodes);
        const double sum = static_cast<double>(one.value) + static_cast<double>(two.value);
        if (sum > static_cast<double>(node.value)) {
            node.value = static_cast<float>(sum);
            node.choice = choice;
            node.first = firstId;
            node.second = secondId;
        }
    }

    const TInstance& m_instance;
    const SolverSettings& m_settings;
    const TDiscretizationSet& m_xSet;
    const TDiscretizationSet& m_ySet;
    StateMemo m_memo{KeyWords};
    std::vector<SolvedState> m_states;
    int m_level = 0;
};

} // namespace

SearchOutcome fastSearchUnconstrained(const TInstance& instance, const SolverSettings& settings,
                                      const TDiscretizationSet& xSet,
                                      const TDiscretizationSet& ySet) {
    return UnconstrainedEngine(instance, settings, xSet, ySet).run();
}
