#include "andor/PatternOfLayout.h"

#include <algorithm>
#include <utility>

namespace andor {

namespace {

// Where a rectangle lies and how the cut that made it ran, for the stage of the next cut.
struct Place {
    std::int32_t top = 0;
    std::int32_t left = 0;
    int stage = 0; // 0 for the plate itself
    bool horizontal = false;
};

class PatternBuilder {
public:
    PatternBuilder(const CutLayout& layout, const problem::TInstance& instance)
        : m_layout(layout), m_instance(instance)
    {
        m_pattern.plateHeight = instance.plateHeight;
        m_pattern.plateLength = instance.plateLength;
    }

    pattern::CuttingPattern build()
    {
        if (!m_layout.nodes.empty())
            place(0, Place{});
        return std::move(m_pattern);
    }

private:
    // Adds a cut and returns the place context its two sides inherit.
    Place cut(const Place& at, bool horizontal, std::int32_t offset, std::int32_t span)
    {
        const int stage =
            at.stage == 0 ? 1 : (horizontal == at.horizontal ? at.stage : at.stage + 1);
        if (horizontal)
            m_pattern.cuts.push_back(
                {at.top + offset, at.left, at.top + offset, at.left + span, stage});
        else
            m_pattern.cuts.push_back(
                {at.top, at.left + offset, at.top + span, at.left + offset, stage});
        return {at.top, at.left, stage, horizontal};
    }

    void place(std::int32_t index, const Place& at)
    {
        const LayoutNode& node = m_layout.nodes[static_cast<std::size_t>(index)];
        if (node.kind == LayoutKind::Block) {
            placeBlock(node, at);
            return;
        }
        const bool horizontal = node.kind == LayoutKind::HeightCut;
        const std::int32_t side = horizontal ? node.height : node.length;
        Place inner = at;
        // A cut at the rectangle's edge leaves an empty part and makes no cut at all.
        if (node.position > 0 && node.position < side)
            inner = cut(at, horizontal, node.position, horizontal ? node.length : node.height);
        place(node.first, inner);
        Place rest = inner;
        (horizontal ? rest.top : rest.left) += node.position;
        place(node.second, rest);
    }

    void placeBlock(const LayoutNode& node, const Place& at)
    {
        if (node.type < 0 || node.count <= 0)
            return;
        const problem::TPieceType& piece = m_instance.pieces[static_cast<std::size_t>(node.type)];
        Place rest = at; // the part of the block not yet cut into rows
        for (std::int32_t row = 0; row < node.rows; ++row) {
            rest.top = at.top + row * piece.height;
            if ((row + 1) * piece.height < node.height)
                rest = cut(rest, true, piece.height, node.length);
            const std::int32_t inRow = std::min(node.columns, node.count - row * node.columns);
            placeRow(piece, node, inRow, rest);
        }
    }

    // Cuts one row of a block into its pieces, left to right.
    void placeRow(const problem::TPieceType& piece, const LayoutNode& node, std::int32_t inRow,
                  const Place& at)
    {
        Place rest = at;
        for (std::int32_t column = 0; column < inRow; ++column) {
            rest.left = at.left + column * piece.length;
            m_pattern.pieces.push_back({node.type, at.top, rest.left, piece.height, piece.length});
            if ((column + 1) * piece.length < node.length)
                rest = cut(rest, false, piece.length, piece.height);
        }
    }

    const CutLayout& m_layout;
    const problem::TInstance& m_instance;
    pattern::CuttingPattern m_pattern;
};

} // namespace

pattern::CuttingPattern cuttingPatternOf(const CutLayout& layout,
                                         const problem::TInstance& instance)
{
    return PatternBuilder(layout, instance).build();
}

} // namespace andor
