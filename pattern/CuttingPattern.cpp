#include "pattern/CuttingPattern.h"

#include <algorithm>
#include <map>
#include <utility>

namespace pattern {

namespace {

struct Box {
    std::int32_t top, left, bottom, right;
};

bool contains(const Box& box, const PlacedPiece& piece)
{
    return piece.top >= box.top && piece.left >= box.left &&
           piece.top + piece.height <= box.bottom && piece.left + piece.length <= box.right;
}

std::optional<std::string> findPieceFault(const PlacedPiece& piece,
                                          const problem::TInstance& instance, std::size_t index)
{
    const std::string name = "piece " + std::to_string(index);
    if (piece.type < 0 || piece.type >= instance.pieceCount)
        return name + " has no valid type";
    const problem::TPieceType& type = instance.pieces[static_cast<std::size_t>(piece.type)];
    if (piece.height != type.height || piece.length != type.length)
        return name + " does not have its type's size";
    const Box plate{0, 0, instance.plateHeight, instance.plateLength};
    if (!contains(plate, piece))
        return name + " lies outside the plate";
    return std::nullopt;
}

// Splits one group of pieces along every free line in one direction; false when none exists.
bool splitAlong(std::vector<PlacedPiece>& group, bool horizontal,
                std::vector<std::vector<PlacedPiece>>& parts)
{
    auto start = [horizontal](const PlacedPiece& p) { return horizontal ? p.top : p.left; };
    auto end = [horizontal](const PlacedPiece& p) {
        return horizontal ? p.top + p.height : p.left + p.length;
    };
    std::sort(group.begin(), group.end(),
              [&](const PlacedPiece& x, const PlacedPiece& y) { return start(x) < start(y); });
    std::vector<std::vector<PlacedPiece>> found(1);
    std::int32_t reach = end(group.front());
    found.back().push_back(group.front());
    for (std::size_t i = 1; i < group.size(); ++i) {
        if (start(group[i]) >= reach)
            found.emplace_back();
        found.back().push_back(group[i]);
        reach = std::max(reach, end(group[i]));
    }
    if (found.size() < 2)
        return false;
    for (auto& part : found)
        parts.push_back(std::move(part));
    return true;
}

bool overlap(const PlacedPiece& x, const PlacedPiece& y)
{
    return x.top < y.top + y.height && y.top < x.top + x.height && x.left < y.left + y.length &&
           y.left < x.left + x.length;
}

// Separates the pieces by full-span lines until each stands alone, ignoring the cuts list.
std::optional<std::string> findSeparationFault(const std::vector<PlacedPiece>& pieces)
{
    std::vector<std::vector<PlacedPiece>> pending{pieces};
    while (!pending.empty()) {
        std::vector<PlacedPiece> group = std::move(pending.back());
        pending.pop_back();
        if (group.size() < 2)
            continue;
        if (splitAlong(group, true, pending) || splitAlong(group, false, pending))
            continue;
        for (std::size_t i = 0; i < group.size(); ++i)
            for (std::size_t j = i + 1; j < group.size(); ++j)
                if (overlap(group[i], group[j]))
                    return "pieces overlap at (" + std::to_string(group[j].top) + ", " +
                           std::to_string(group[j].left) + ")";
        return "the pieces are not guillotine-separable";
    }
    return std::nullopt;
}

// A rectangle of the plate made by the cuts so far, with the pieces that lie in it.
struct Region {
    Box box;
    std::vector<PlacedPiece> pieces;
};

std::optional<std::string> splitRegion(Region& region, const PatternCut& cut, bool horizontal,
                                       Region& second)
{
    const Box box = region.box;
    const std::int32_t at = horizontal ? cut.top : cut.left;
    Box firstBox = box, secondBox = box;
    if (horizontal) {
        firstBox.bottom = at;
        secondBox.top = at;
    } else {
        firstBox.right = at;
        secondBox.left = at;
    }
    std::vector<PlacedPiece> firstPieces;
    for (const PlacedPiece& piece : region.pieces) {
        if (contains(firstBox, piece))
            firstPieces.push_back(piece);
        else if (contains(secondBox, piece))
            second.pieces.push_back(piece);
        else
            return "a cut at " + std::to_string(at) + " crosses a piece";
    }
    region = Region{firstBox, std::move(firstPieces)};
    second.box = secondBox;
    return std::nullopt;
}

// Replays the cuts: each must span exactly one current rectangle and cross no piece.
std::optional<std::string> findCutFault(const CuttingPattern& pattern)
{
    std::vector<Region> regions{
        Region{{0, 0, pattern.plateHeight, pattern.plateLength}, pattern.pieces}};
    for (std::size_t c = 0; c < pattern.cuts.size(); ++c) {
        const PatternCut& cut = pattern.cuts[c];
        const std::string name = "cut " + std::to_string(c);
        const bool horizontal = cut.top == cut.bottom;
        if (!horizontal && cut.left != cut.right)
            return name + " is neither horizontal nor vertical";
        if (cut.stage < 1)
            return name + " has no valid stage";
        auto spans = [&](const Region& r) {
            const Box& b = r.box;
            return horizontal ? (b.left == cut.left && b.right == cut.right && b.top < cut.top &&
                                 cut.top < b.bottom)
                              : (b.top == cut.top && b.bottom == cut.bottom && b.left < cut.left &&
                                 cut.left < b.right);
        };
        auto found = std::find_if(regions.begin(), regions.end(), spans);
        if (found == regions.end())
            return name + " is not a full segment of a rectangle of the pattern";
        Region second;
        if (auto fault = splitRegion(*found, cut, horizontal, second))
            return name + ": " + *fault;
        regions.push_back(std::move(second));
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> findPatternFault(const CuttingPattern& pattern,
                                            const problem::TInstance& instance)
{
    if (pattern.plateHeight != instance.plateHeight || pattern.plateLength != instance.plateLength)
        return "the plate differs from the instance's";
    for (std::size_t i = 0; i < pattern.pieces.size(); ++i)
        if (auto fault = findPieceFault(pattern.pieces[i], instance, i))
            return fault;
    if (auto fault = findSeparationFault(pattern.pieces))
        return fault;
    return findCutFault(pattern);
}

} // namespace pattern
