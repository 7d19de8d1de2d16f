#include "andor/rules/CutHeuristics.h"

#include "andor/rules/HomogeneousFilling.h"
#include "andor/rules/ValueBounds.h"

namespace andor {

// All comparisons below are made in double, the real arithmetic of the definition.

bool discardsUnconstrainedCut(const CutCandidate& cut, const problem::TInstance& instance,
                              const SolverSettings& settings)
{
    const double bounds = areaBound(cut.sibling.height, cut.sibling.length, instance) +
                          areaBound(cut.part.height, cut.part.length, instance);
    if ((1.0 + settings.lambda1) * static_cast<double>(cut.parentValue) >= bounds)
        return true;
    const double parentFill = homogeneousValue(cut.parent.height, cut.parent.length, instance);
    const double siblingFill = homogeneousValue(cut.sibling.height, cut.sibling.length, instance);
    return settings.lambda2 * parentFill >= siblingFill + static_cast<double>(cut.partValue);
}

bool discardsConstrainedCut(const CutCandidate& cut, std::span<const std::int32_t> remaining,
                            const problem::TInstance& instance, const SolverSettings& settings)
{
    const double bounds = static_cast<double>(greedyDemandBound(
                              cut.sibling.height, cut.sibling.length, remaining, instance)) +
                          static_cast<double>(greedyDemandBound(cut.part.height, cut.part.length,
                                                                remaining, instance));
    if ((1.0 + settings.lambda1) * static_cast<double>(cut.parentValue) >= bounds)
        return true;
    const double parentFill =
        homogeneousDemandValue(cut.parent.height, cut.parent.length, instance);
    const double siblingFill =
        homogeneousDemandValue(cut.sibling.height, cut.sibling.length, instance);
    return settings.lambda2 * parentFill >= siblingFill + static_cast<double>(cut.partValue);
}

} // namespace andor
