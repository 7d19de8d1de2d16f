#include "andor/CutLayout.h"

#include <algorithm>

namespace andor {

LayoutNode blockOf(const HomogeneousFill& fill, std::int32_t a, std::int32_t b,
                   const problem::TInstance& instance)
{
    LayoutNode node;
    node.height = a;
    node.length = b;
    if (fill.type >= 0 && fill.count > 0) {
        const problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(fill.type)];
        node.type = fill.type;
        node.count = fill.count;
        node.columns = std::min(fill.count, b / piece.length);
        node.rows = (fill.count + node.columns - 1) / node.columns;
    }
    return node;
}

} // namespace andor
