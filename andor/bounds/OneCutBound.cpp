#include "andor/bounds/OneCutBound.h"

#include <algorithm>
#include <limits>

#include "andor/bounds/SumRoundedUp.h"

namespace andor {

namespace {

// As the fillings' table: on larger plates few parts are asked for more than once or twice.
constexpr std::size_t maxCells = std::size_t{1} << 16;

bool isEmpty(RectSize part)
{
    return part.height == 0 || part.length == 0;
}

} // namespace

OneCutBound::OneCutBound(const problem::TInstance& instance, DemandFills& fills,
                         const FitTable& fits, const TDiscretizationSet& xSet,
                         const TDiscretizationSet& ySet, const PartSides& sides)
    : m_fills(fills), m_fits(fits), m_xSet(xSet), m_ySet(ySet),
      m_lists(sides, fits.copiesExact() ? maxCells : 0),
      m_leaves(sides, fits.copiesExact() ? maxCells : 0)
{
    for (int i = 0; i < instance.pieceCount; ++i) {
        m_values.push_back(instance.pieces[static_cast<std::size_t>(i)].value);
        m_demands.push_back(instance.pieces[static_cast<std::size_t>(i)].demand);
    }
    // Room for every list at once: growing would copy them, and only what is filled is
    // touched.
    if (!m_lists.empty())
        m_cuts.reserve(sides.cellCount() * (cutsKept + 1));
}

float OneCutBound::within(RectSize part, std::int32_t xStart, std::int32_t yStart,
                          std::span<const std::int32_t> demand, float beyond)
{
    if (isEmpty(part))
        return 0.0f;
    if (m_lists.empty())
        return std::numeric_limits<float>::infinity();
    float most = 0.0f; // of the entries read so far, within the demand
    for (const Cut* cut = cutsOf(part);; ++cut) {
        // No entry from here on is worth more than this one's ceiling.
        if (cut->ceiling <= most)
            return most;
        if (cut->ceiling <= beyond || (cut->first.copies == 0 && cut->second.copies == 0))
            return cut->ceiling;
        if (cut->position >= 0 && before(*cut, xStart, yStart))
            continue; // a cut the part does not make
        const float worth = worthWithin(*cut, demand);
        if (worth > beyond)
            return cut->ceiling;
        most = std::max(most, worth);
    }
}

const OneCutBound::Cut* OneCutBound::cutsOf(RectSize part)
{
    std::uint32_t& list = m_lists.at(part.height, part.length);
    if (list == 0)
        list = listCuts(part);
    return m_cuts.data() + (list - 1);
}

// The part's filling first, as a cut with an empty second part, then its cuts, as the search
// makes them; all by their ceilings, best first.
std::uint32_t OneCutBound::listCuts(RectSize part)
{
    std::vector<Cut> cuts;
    const auto add = [&](std::int32_t position, RectSize first, RectSize second) {
        const Leaf one = leafOf(first), two = leafOf(second);
        cuts.push_back({sumRoundedUp(static_cast<float>(one.value), static_cast<float>(two.value)),
                        position, one, two});
    };
    const std::int32_t a = part.height, b = part.length;
    add(-1, part, {0, 0});
    for (std::int32_t j = 0; j < m_xSet.count; ++j) {
        const std::int32_t x = m_xSet.points[static_cast<std::size_t>(j)];
        if (x > a)
            break;
        if (m_xSet.floors[static_cast<std::size_t>(j)] <= b)
            add(j, {x, b}, {a - x, b});
    }
    for (std::int32_t k = 0; k < m_ySet.count; ++k) {
        const std::int32_t y = m_ySet.points[static_cast<std::size_t>(k)];
        if (y > b)
            break;
        if (m_ySet.floors[static_cast<std::size_t>(k)] <= a)
            add(m_xSet.count + k, {a, y}, {a, b - y});
    }
    const std::size_t kept = std::min(cuts.size(), cutsKept);
    std::partial_sort(cuts.begin(), cuts.begin() + static_cast<std::ptrdiff_t>(kept), cuts.end(),
                      [](const Cut& x, const Cut& y) { return x.ceiling > y.ceiling; });
    float rest = 0.0f; // the rest come in no order
    for (auto cut = cuts.begin() + static_cast<std::ptrdiff_t>(kept); cut != cuts.end(); ++cut)
        rest = std::max(rest, cut->ceiling);
    const auto start = static_cast<std::uint32_t>(m_cuts.size());
    m_cuts.insert(m_cuts.end(), cuts.begin(), cuts.begin() + static_cast<std::ptrdiff_t>(kept));
    m_cuts.push_back({rest, -1, {}, {}});
    return start + 1;
}

OneCutBound::Leaf OneCutBound::leafOf(RectSize part)
{
    if (isEmpty(part))
        return {};
    LeafCell& cell = m_leaves.at(part.height, part.length);
    if (!cell.known)
        cell = {computeLeaf(part), true};
    return cell.leaf;
}

OneCutBound::Leaf OneCutBound::computeLeaf(RectSize part)
{
    const HomogeneousFill fill = m_fills.full(part.height, part.length);
    if (fill.type < 0)
        return {};
    Leaf leaf{fill.value, static_cast<std::uint32_t>(fill.count),
              static_cast<std::uint32_t>(fill.type), 0};
    for (std::size_t i = 0; i < m_values.size(); ++i)
        if (i != static_cast<std::size_t>(fill.type))
            leaf.otherwise =
                std::max(leaf.otherwise,
                         std::min(m_fits.copiesThatFit(part.height, part.length, i), m_demands[i]) *
                             m_values[i]);
    return leaf;
}

// While the demand holds both fillings' copies, the cut is worth its ceiling.
float OneCutBound::worthWithin(const Cut& cut, std::span<const std::int32_t> demand) const
{
    return sumRoundedUp(static_cast<float>(leafWithin(cut.first, demand)),
                        static_cast<float>(leafWithin(cut.second, demand)));
}

std::int64_t OneCutBound::leafWithin(const Leaf& leaf, std::span<const std::int32_t> demand) const
{
    const auto held = static_cast<std::int32_t>(leaf.copies);
    if (held == 0 || demand[leaf.type] >= held)
        return leaf.value;
    return std::max(std::int64_t{demand[leaf.type]} * m_values[leaf.type],
                    std::int64_t{leaf.otherwise});
}

} // namespace andor
