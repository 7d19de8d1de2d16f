#include "andor/fast/SolvedStates.h"

#include <algorithm>
#include <new>
#include <utility>

namespace andor {

namespace {

// Walks the chosen pattern, appending a node per rectangle in depth-first order.
class LayoutUnfolder {
public:
    LayoutUnfolder(const problem::TInstance& instance, std::span<const SolvedState> states,
                   const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
                   const std::function<HomogeneousFill(std::int32_t)>& fillOf,
                   std::array<std::int32_t, problem::maxPieceTypes>& counts)
        : m_instance(instance), m_states(states), m_xSet(xSet), m_ySet(ySet), m_fillOf(fillOf),
          m_counts(counts)
    {
    }

    void unfold(const PartRef& part, std::int32_t a, std::int32_t b)
    {
        if (part.state < 0) {
            addBlock(part.leaf, a, b);
            return;
        }
        const SolvedState& solved = m_states[static_cast<std::size_t>(part.state)];
        if (solved.choice < 0) {
            addBlock(m_fillOf(part.state), a, b);
            return;
        }
        const StateCut cut = stateCut(solved.choice, a, b, m_xSet, m_ySet);
        LayoutNode node;
        node.height = a;
        node.length = b;
        node.kind = cut.alongHeight ? LayoutKind::HeightCut : LayoutKind::LengthCut;
        node.position = cut.position;
        const auto at = m_layout.nodes.size();
        m_layout.nodes.push_back(node);
        m_layout.nodes[at].first = static_cast<std::int32_t>(m_layout.nodes.size());
        unfold(solved.first, cut.first.height, cut.first.length);
        m_layout.nodes[at].second = static_cast<std::int32_t>(m_layout.nodes.size());
        unfold(solved.second, cut.second.height, cut.second.length);
    }

    CutLayout take() { return std::move(m_layout); }

private:
    void addBlock(const HomogeneousFill& fill, std::int32_t a, std::int32_t b)
    {
        const LayoutNode node = blockOf(fill, a, b, m_instance);
        if (node.type >= 0)
            m_counts[static_cast<std::size_t>(node.type)] += node.count;
        m_layout.nodes.push_back(node);
    }

    const problem::TInstance& m_instance;
    std::span<const SolvedState> m_states;
    const TDiscretizationSet& m_xSet;
    const TDiscretizationSet& m_ySet;
    const std::function<HomogeneousFill(std::int32_t)>& m_fillOf;
    std::array<std::int32_t, problem::maxPieceTypes>& m_counts;
    CutLayout m_layout;
};

} // namespace

StateCut stateCut(std::int32_t choice, std::int32_t a, std::int32_t b,
                  const TDiscretizationSet& xSet, const TDiscretizationSet& ySet)
{
    StateCut cut;
    cut.alongHeight = choice < xSet.count;
    if (cut.alongHeight) {
        cut.position = xSet.points[static_cast<std::size_t>(choice)];
        cut.first = {cut.position, b};
        cut.second = {a - cut.position, b};
    } else {
        cut.position = ySet.points[static_cast<std::size_t>(choice - xSet.count)];
        cut.first = {a, cut.position};
        cut.second = {a, b - cut.position};
    }
    return cut;
}

std::int32_t firstUsable(const TDiscretizationSet& set, std::int32_t start, std::int32_t along,
                         std::int32_t across)
{
    for (std::int32_t j = start; j < set.count; ++j) {
        if (set.points[static_cast<std::size_t>(j)] > along)
            return set.count; // positions ascend: none further fits
        if (set.floors[static_cast<std::size_t>(j)] <= across)
            return j;
    }
    return set.count;
}

RecursionGuard::RecursionGuard(int& level, const StackRoom& stack) : m_level(level)
{
    stack.check();
    ++m_level;
}

RecursionGuard::~RecursionGuard()
{
    --m_level;
}

SearchOutcome outcomeOf(std::int32_t root, std::int64_t statesSolved,
                        const problem::TInstance& instance, std::span<const SolvedState> states,
                        const TDiscretizationSet& xSet, const TDiscretizationSet& ySet,
                        const std::function<HomogeneousFill(std::int32_t state)>& fillOf)
{
    SearchOutcome outcome;
    const SolvedState& solved = states[static_cast<std::size_t>(root)];
    outcome.value = solved.value;
    outcome.nodesExamined = solved.nodes;
    outcome.statesSolved = statesSolved;
    LayoutUnfolder unfolder(instance, states, xSet, ySet, fillOf, outcome.counts);
    unfolder.unfold({root, {}}, instance.plateHeight, instance.plateLength);
    outcome.layout = unfolder.take();
    return outcome;
}

} // namespace andor
