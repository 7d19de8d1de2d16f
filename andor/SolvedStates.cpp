#include "SolvedStates.h"

#include <limits>
#include <new>

namespace {

// A level of either search takes a few hundred bytes of stack (more in a debug build); this
// many stay well inside the usual 8 MB, so a deeper limit fails as a run out of memory.
constexpr int maxRecursionLevels = 5000;

void unfold(std::int32_t state, CutLayout& layout, const std::vector<SolvedState>& states,
            const StateMemo& memo, const TDiscretizationSet& xSet,
            const TDiscretizationSet& ySet,
            const std::function<LayoutNode(std::int32_t)>& blockOf) {
    const auto key = memo.key(state);
    const SolvedState& solved = states[static_cast<std::size_t>(state)];
    const auto at = layout.nodes.size();
    if (solved.choice < 0) {
        layout.nodes.push_back(blockOf(state));
        return;
    }
    LayoutNode node;
    node.height = key[0];
    node.length = key[1];
    if (solved.choice < xSet.count) {
        node.kind = LayoutKind::HeightCut;
        node.position = xSet.points[static_cast<std::size_t>(solved.choice)];
    } else {
        node.kind = LayoutKind::LengthCut;
        node.position = ySet.points[static_cast<std::size_t>(solved.choice - xSet.count)];
    }
    layout.nodes.push_back(node);
    layout.nodes[at].first = static_cast<std::int32_t>(layout.nodes.size());
    unfold(solved.first, layout, states, memo, xSet, ySet, blockOf);
    layout.nodes[at].second = static_cast<std::int32_t>(layout.nodes.size());
    unfold(solved.second, layout, states, memo, xSet, ySet, blockOf);
}

} // namespace

std::int32_t firstUsable(const TDiscretizationSet& set, std::int32_t start, std::int32_t along,
                         std::int32_t across) {
    for (std::int32_t j = start; j < set.count; ++j) {
        if (set.points[static_cast<std::size_t>(j)] > along)
            return set.count; // positions ascend: none further fits
        if (set.floors[static_cast<std::size_t>(j)] <= across)
            return j;
    }
    return set.count;
}

std::int64_t addNodes(std::int64_t left, std::int64_t right) {
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    return left > most - right ? most : left + right;
}

RecursionGuard::RecursionGuard(int& level) : m_level(level) {
    if (m_level >= maxRecursionLevels)
        throw std::bad_alloc();
    ++m_level;
}

RecursionGuard::~RecursionGuard() { --m_level; }

CutLayout unfoldLayout(std::int32_t root, const std::vector<SolvedState>& states,
                       const StateMemo& memo, const TDiscretizationSet& xSet,
                       const TDiscretizationSet& ySet,
                       const std::function<LayoutNode(std::int32_t state)>& blockOf) {
    CutLayout layout;
    unfold(root, layout, states, memo, xSet, ySet, blockOf);
    return layout;
}
