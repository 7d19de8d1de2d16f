#include "wang/rules/JoinShape.h"

#include "problem/Int32Arithmetic.h"

#include <utility>

namespace wang {

namespace {

TPattern transposed(TPattern record)
{
    std::swap(record.height, record.length);
    return record;
}

Join joinSideBySide(const TPattern& a, const TPattern& b, std::int32_t plateArea)
{
    Join join;
    join.secondLeads = b.height > a.height;
    const TPattern& q = join.secondLeads ? b : a;
    const TPattern& r = join.secondLeads ? a : b;
    TPattern& built = join.record;
    built.kind = kindHorizontal;
    built.internalWaste =
        problem::add32(problem::add32(q.internalWaste, r.internalWaste),
                       problem::mul32(problem::sub32(q.height, r.height), r.length));
    built.height = q.height;
    built.length = problem::add32(q.length, r.length);
    built.totalWaste = problem::add32(
        problem::sub32(plateArea, problem::mul32(built.length, q.height)), built.internalWaste);
    return join;
}

} // namespace

Join joinShape(const TPattern& a, const TPattern& b, std::int32_t kind, std::int32_t plateArea)
{
    if (kind == kindHorizontal)
        return joinSideBySide(a, b, plateArea);
    // One above the other is side by side with heights and lengths exchanged.
    Join join = joinSideBySide(transposed(a), transposed(b), plateArea);
    join.record = transposed(join.record);
    join.record.kind = kindVertical;
    return join;
}

bool fitsPlate(const TPattern& joined, std::int32_t plateHeight, std::int32_t plateLength)
{
    return joined.kind == kindHorizontal ? joined.length <= plateLength
                                         : joined.height <= plateHeight;
}

} // namespace wang
