#include "wang/BestPattern.h"

#include "problem/Int32Arithmetic.h"

namespace wang {

std::size_t bestPattern(const std::vector<TPattern>& patterns, std::int32_t plateArea)
{
    std::size_t best = patterns.size();
    std::int32_t bound = plateArea;
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        if (patterns[i].totalWaste < bound) {
            best = i;
            bound = patterns[i].totalWaste;
        }
    }
    return best;
}

std::array<std::int32_t, problem::maxPieceTypes>
countBestPattern(const std::vector<TPattern>& patterns, std::size_t index, int pieceCount)
{
    std::array<std::int32_t, problem::maxPieceTypes> counts{};
    if (index >= patterns.size())
        return counts;
    std::vector<std::int64_t> uses(index + 1, 0);
    uses[index] = 1;
    // Parts stand before what is built from them, so one walk downwards settles every record.
    for (std::size_t i = index + 1; i-- > 0;) {
        if (uses[i] == 0)
            continue;
        const TPattern& record = patterns[i];
        if (record.first == noPart) {
            if (i < static_cast<std::size_t>(pieceCount) && i < counts.size())
                counts[i] = problem::wrap32(counts[i] + uses[i]);
            continue;
        }
        uses[static_cast<std::size_t>(record.first)] += uses[i];
        uses[static_cast<std::size_t>(record.second)] += uses[i];
    }
    return counts;
}

std::int32_t coveredArea(const TPattern& record)
{
    return problem::sub32(problem::mul32(record.height, record.length), record.internalWaste);
}

float lossPercent(std::int32_t totalWaste, std::int32_t plateArea)
{
    // The product with 100 is taken in 64 bits so that large plates still give a true loss.
    const long double waste = static_cast<long double>(std::int64_t{totalWaste} * 100);
    return static_cast<float>(waste / static_cast<long double>(plateArea));
}

} // namespace wang
