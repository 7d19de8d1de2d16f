#include "andor/DiscretizationSet.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace andor {

namespace {

using Table = std::array<std::int32_t, maxSetPositions>;

// Which set a builder fills and whether copies are limited by demand.
struct SetKind {
    bool alongHeight;
    bool limitedByDemand;
};

std::int32_t primary(const problem::TPieceType& piece, SetKind kind)
{
    return kind.alongHeight ? piece.height : piece.length;
}

std::int32_t secondary(const problem::TPieceType& piece, SetKind kind)
{
    return kind.alongHeight ? piece.length : piece.height;
}

// Pairwise exchange sort; kept instead of std::sort because the order it leaves pieces that
// are equal in both dimensions decides which of them a capacity overflow drops.
void exchangeSort(std::array<problem::TPieceType, problem::maxPieceTypes>& sorted, int n,
                  SetKind kind)
{
    for (int i = 0; i + 1 < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            const std::int32_t pi = primary(sorted[i], kind), pj = primary(sorted[j], kind);
            if (pi > pj || (pi == pj && secondary(sorted[i], kind) > secondary(sorted[j], kind)))
                std::swap(sorted[i], sorted[j]);
        }
}

void resetTables(Table& before, Table& after, std::int32_t bound, std::int32_t inf)
{
    before[0] = after[0] = 0;
    for (std::int32_t p = 1; p <= bound; ++p)
        before[p] = after[p] = inf;
}

// Lowers after[p] to the best floor of putting copies of the piece on the earlier combinations.
void addType(const problem::TPieceType& piece, SetKind kind, const Table& before, Table& after,
             std::int32_t bound, std::int32_t inf)
{
    const std::int32_t step = primary(piece, kind);
    for (std::int32_t p = step; p <= bound; ++p) {
        std::int32_t copies = p / step;
        if (kind.limitedByDemand)
            copies = std::min(copies, piece.demand);
        std::int32_t best = inf;
        for (std::int32_t k = 1; k <= copies; ++k)
            best = std::min(best, before[p - k * step]);
        best = std::max(best, secondary(piece, kind));
        after[p] = std::min(after[p], best);
    }
}

// Counts reachable positions from first to bound, stopping once the count passes capacity.
std::int32_t countReachable(const Table& after, std::int32_t first, std::int32_t bound,
                            std::int32_t inf, std::int32_t capacity)
{
    std::int32_t count = 0;
    for (std::int32_t p = first; p <= bound && count <= capacity; ++p)
        if (after[p] < inf)
            ++count;
    return count;
}

void collect(const Table& after, std::int32_t first, std::int32_t bound, std::int32_t inf,
             TDiscretizationSet& set)
{
    set.count = 0;
    for (std::int32_t p = first; p <= bound; ++p)
        if (after[p] < inf) {
            set.points[static_cast<std::size_t>(set.count)] = p;
            set.floors[static_cast<std::size_t>(set.count)] = after[p];
            ++set.count;
        }
}

bool buildSet(const problem::TInstance& instance, const SolverSettings& settings, SetKind kind,
              TDiscretizationSet& set)
{
    const int n = instance.pieceCount;
    std::array<problem::TPieceType, problem::maxPieceTypes> sorted{};
    std::copy_n(instance.pieces.begin(), n, sorted.begin());
    exchangeSort(sorted, n, kind);

    const std::int32_t side = kind.alongHeight ? instance.plateHeight : instance.plateLength;
    const std::int32_t other = kind.alongHeight ? instance.plateLength : instance.plateHeight;
    const std::int32_t inf = other * other;
    const std::int32_t bound = settings.symmetryOn ? side / 2 : side;
    const std::int32_t capacity = settings.setCapacity;

    Table before, after;
    resetTables(before, after, bound, inf);
    int s = n - 1;
    for (; s >= 0; --s) {
        problem::checkpoint(settings.control);
        addType(sorted[s], kind, before, after, bound, inf);
        const std::int32_t count =
            countReachable(after, primary(sorted[s], kind), bound, inf, capacity);
        std::copy_n(after.begin(), bound + 1, before.begin());
        if (count > capacity)
            break;
    }
    int firstInUse = 0;
    if (s >= 0) {
        if (s == n - 1) {
            std::fputs("\nNao e possivel gerar o conjunto de discretizacao!",
                       settings.builderNotices);
            std::fflush(settings.builderNotices);
            set.count = capacity + 1;
            return false;
        }
        // The overflowing type is dropped: rebuild from the larger types alone.
        resetTables(before, after, bound, inf);
        for (int t = s + 1; t < n; ++t) {
            problem::checkpoint(settings.control);
            addType(sorted[t], kind, before, after, bound, inf);
            std::copy_n(after.begin(), bound + 1, before.begin());
        }
        firstInUse = s + 1;
    }
    collect(after, primary(sorted[firstInUse], kind), bound, inf, set);
    return true;
}

} // namespace

bool buildXSetUnconstrained(const problem::TInstance& instance, const SolverSettings& settings,
                            TDiscretizationSet& xSet)
{
    return buildSet(instance, settings, {true, false}, xSet);
}

bool buildXSetConstrained(const problem::TInstance& instance, const SolverSettings& settings,
                          TDiscretizationSet& xSet)
{
    return buildSet(instance, settings, {true, true}, xSet);
}

bool buildYSetUnconstrained(const problem::TInstance& instance, const SolverSettings& settings,
                            TDiscretizationSet& ySet)
{
    return buildSet(instance, settings, {false, false}, ySet);
}

bool buildYSetConstrained(const problem::TInstance& instance, const SolverSettings& settings,
                          TDiscretizationSet& ySet)
{
    return buildSet(instance, settings, {false, true}, ySet);
}

bool sameSet(const TDiscretizationSet& left, const TDiscretizationSet& right)
{
    if (left.count != right.count)
        return false;
    const auto used = static_cast<std::ptrdiff_t>(std::clamp(left.count, 0, maxSetPositions));
    return std::equal(left.points.begin(), left.points.begin() + used, right.points.begin()) &&
           std::equal(left.floors.begin(), left.floors.begin() + used, right.floors.begin());
}

} // namespace andor
