#include "andor/reference/ReferenceSearch.h"

#include <optional>

#include "andor/rules/CutHeuristics.h"
#include "andor/rules/HomogeneousFilling.h"
#include "andor/rules/ValueBounds.h"

namespace andor {

namespace {

// Allocates the node into slot with its homogeneous filling as the starting value.
TCutNode& makeNode(SearchContext& context, std::int32_t a, std::int32_t b,
                   const HomogeneousFill& fill, std::unique_ptr<TCutNode>& slot)
{
    slot = std::make_unique<TCutNode>();
    ++context.nodesCreated;
    TCutNode& node = *slot;
    node.height = a;
    node.length = b;
    node.value = static_cast<float>(fill.value);
    if (node.value != 0.0f)
        node.counts[static_cast<std::size_t>(fill.type)] = fill.count;
    node.chosen.fill = fill;
    return node;
}

CutCandidate candidateOf(const TCutNode& parent, const TCutNode& node)
{
    return {{parent.height, parent.length},
            parent.value,
            {parent.first->height, parent.first->length},
            {node.height, node.length},
            node.value};
}

// Where a node is cut: at a height position (the first part on top) or at a length position.
struct CutPlace {
    bool alongHeight = false;
    std::int32_t position = 0;
};

// Keeps an improving pair with its counts and pattern; otherwise releases it. True when the
// pair improved. A pair made at an earlier position (made is empty) is already the chosen
// cut: it passes again only where its float sum was rounded down.
bool settlePosition(TCutNode& node, int pieceCount, std::optional<CutPlace> made)
{
    if (!node.first || !node.second)
        return false;
    const double sum =
        static_cast<double>(node.first->value) + static_cast<double>(node.second->value);
    if (sum > static_cast<double>(node.value)) {
        node.value = static_cast<float>(sum);
        for (int i = 0; i < pieceCount; ++i)
            node.counts[static_cast<std::size_t>(i)] =
                node.first->counts[static_cast<std::size_t>(i)] +
                node.second->counts[static_cast<std::size_t>(i)];
        if (made)
            node.chosen = {
                {},
                std::make_shared<const ChosenCut>(ChosenCut{
                    made->alongHeight, made->position, node.first->chosen, node.second->chosen})};
        return true;
    }
    node.first.reset();
    node.second.reset();
    return false;
}

void subtract(DemandArray& working, const TCutNode& part, int pieceCount)
{
    for (int i = 0; i < pieceCount; ++i)
        working[static_cast<std::size_t>(i)] -= part.counts[static_cast<std::size_t>(i)];
}

// One cut position of the constrained search, from the two expansions to the end of position.
void constrainedPosition(SearchContext& context, TCutNode& node, CutPlace place, RectSize first,
                         RectSize second, std::int32_t xStart, std::int32_t yStart,
                         std::int32_t depth, const DemandArray& remaining, DemandArray& working,
                         bool fits)
{
    const int n = context.instance.pieceCount;
    if (fits) {
        expandConstrained(context, first.height, first.length, xStart, yStart, &node, node.first,
                          depth + 1, 1, working);
        if (node.first)
            subtract(working, *node.first, n);
        expandConstrained(context, second.height, second.length, xStart, yStart, &node, node.second,
                          depth + 1, 2, working);
        if (node.second)
            subtract(working, *node.second, n);
    }
    const bool paired = node.first && node.second;
    if (paired && !settlePosition(node, n, fits ? std::optional(place) : std::nullopt))
        working = remaining;
}

// Appends the rectangles of pattern in a x b, depth first, first part before the remainder.
void unfold(const ChosenPattern& pattern, std::int32_t a, std::int32_t b,
            const problem::TInstance& instance, CutLayout& layout)
{
    if (!pattern.cut) {
        layout.nodes.push_back(blockOf(pattern.fill, a, b, instance));
        return;
    }
    const ChosenCut& cut = *pattern.cut;
    const auto at = layout.nodes.size();
    LayoutNode node;
    node.height = a;
    node.length = b;
    node.kind = cut.alongHeight ? LayoutKind::HeightCut : LayoutKind::LengthCut;
    node.position = cut.position;
    layout.nodes.push_back(node);
    layout.nodes[at].first = static_cast<std::int32_t>(layout.nodes.size());
    if (cut.alongHeight)
        unfold(cut.first, cut.position, b, instance, layout);
    else
        unfold(cut.first, a, cut.position, instance, layout);
    layout.nodes[at].second = static_cast<std::int32_t>(layout.nodes.size());
    if (cut.alongHeight)
        unfold(cut.second, a - cut.position, b, instance, layout);
    else
        unfold(cut.second, a, b - cut.position, instance, layout);
}

} // namespace

void searchUnconstrained(SearchContext& context, std::unique_ptr<TCutNode>& root)
{
    context.searchStart = std::time(nullptr);
    expandUnconstrained(context, context.instance.plateHeight, context.instance.plateLength, 0, 0,
                        nullptr, root, 0, 0);
    context.searchEnd = std::time(nullptr);
}

void expandUnconstrained(SearchContext& context, std::int32_t a, std::int32_t b,
                         std::int32_t xStart, std::int32_t yStart, TCutNode* parent,
                         std::unique_ptr<TCutNode>& slot, std::int32_t depth, int side)
{
    if (depth > context.settings.depthLimit)
        return;
    context.stack.check();
    const problem::TInstance& instance = context.instance;
    TCutNode& node = makeNode(context, a, b, bestHomogeneous(a, b, instance), slot);
    if (areaBound(a, b, instance) == static_cast<double>(node.value))
        return;
    if (context.settings.heuristicsOn && side == 2 && parent->first &&
        discardsUnconstrainedCut(candidateOf(*parent, node), instance, context.settings)) {
        parent->first.reset();
        parent->second.reset(); // releases this node
        return;
    }
    const TDiscretizationSet& xSet = context.xSet;
    for (std::int32_t j = xStart; j < xSet.count; ++j) {
        const std::int32_t x = xSet.points[static_cast<std::size_t>(j)];
        std::optional<CutPlace> made;
        if (x <= a && xSet.floors[static_cast<std::size_t>(j)] <= b) {
            expandUnconstrained(context, x, b, j, 0, &node, node.first, depth + 1, 1);
            expandUnconstrained(context, a - x, b, j, 0, &node, node.second, depth + 1, 2);
            made = CutPlace{true, x};
        }
        settlePosition(node, instance.pieceCount, made);
    }
    const TDiscretizationSet& ySet = context.ySet;
    for (std::int32_t k = yStart; k < ySet.count; ++k) {
        const std::int32_t y = ySet.points[static_cast<std::size_t>(k)];
        std::optional<CutPlace> made;
        if (y <= b && ySet.floors[static_cast<std::size_t>(k)] <= a) {
            expandUnconstrained(context, a, y, 0, k, &node, node.first, depth + 1, 1);
            expandUnconstrained(context, a, b - y, 0, k, &node, node.second, depth + 1, 2);
            made = CutPlace{false, y};
        }
        settlePosition(node, instance.pieceCount, made);
    }
}

void searchConstrained(SearchContext& context, std::unique_ptr<TCutNode>& root)
{
    DemandArray remaining{};
    for (int i = 0; i < context.instance.pieceCount; ++i)
        remaining[static_cast<std::size_t>(i)] =
            context.instance.pieces[static_cast<std::size_t>(i)].demand;
    context.searchStart = std::time(nullptr);
    expandConstrained(context, context.instance.plateHeight, context.instance.plateLength, 0, 0,
                      nullptr, root, 0, 0, remaining);
    context.searchEnd = std::time(nullptr);
}

void expandConstrained(SearchContext& context, std::int32_t a, std::int32_t b, std::int32_t xStart,
                       std::int32_t yStart, TCutNode* parent, std::unique_ptr<TCutNode>& slot,
                       std::int32_t depth, int side, const DemandArray& remaining)
{
    if (depth > context.settings.depthLimit)
        return;
    context.stack.check();
    const problem::TInstance& instance = context.instance;
    TCutNode& node =
        makeNode(context, a, b, bestHomogeneousWithin(a, b, remaining, instance), slot);
    if (greedyDemandBound(a, b, remaining, instance) == node.value)
        return;
    if (context.settings.heuristicsOn && side == 2 && parent->first &&
        discardsConstrainedCut(candidateOf(*parent, node), remaining, instance, context.settings)) {
        parent->first.reset();
        parent->second.reset(); // releases this node
        return;
    }
    DemandArray working = remaining;
    const TDiscretizationSet& xSet = context.xSet;
    for (std::int32_t j = xStart; j < xSet.count; ++j) {
        const std::int32_t x = xSet.points[static_cast<std::size_t>(j)];
        const bool fits = x <= a && xSet.floors[static_cast<std::size_t>(j)] <= b;
        constrainedPosition(context, node, {true, x}, {x, b}, {a - x, b}, j, 0, depth, remaining,
                            working, fits);
    }
    const TDiscretizationSet& ySet = context.ySet;
    for (std::int32_t k = yStart; k < ySet.count; ++k) {
        const std::int32_t y = ySet.points[static_cast<std::size_t>(k)];
        const bool fits = y <= b && ySet.floors[static_cast<std::size_t>(k)] <= a;
        constrainedPosition(context, node, {false, y}, {a, y}, {a, b - y}, 0, k, depth, remaining,
                            working, fits);
    }
}

CutLayout layoutOf(const TCutNode& root, const problem::TInstance& instance)
{
    CutLayout layout;
    unfold(root.chosen, root.height, root.length, instance, layout);
    return layout;
}

} // namespace andor
