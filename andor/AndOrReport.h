#pragma once

#include "andor/AndOrRun.h"
#include "problem/Report.h"

#include <string>

namespace andor {

// The run window's choices as the report shows them, read from its controls.
struct AndOrReportChoices {
    bool constrained = true; // "Problema de Corte" on "Restrito"
    std::int32_t depthLimit = 3;
    std::int32_t setCapacity = 100;
    bool symmetryOn = false;   // "Simetria" not on its first item
    bool heuristicsOn = false; // "Heurísticas" on "Sim"
    std::string lambda1Text;   // as typed
    std::string lambda2Text;
};

// Area covered by the pattern's pieces, summed as a 32-bit real in table order.
float usedAreaOf(const problem::TInstance& instance,
                 const std::array<std::int32_t, problem::maxPieceTypes>& counts);

// Waste percentage P = 100 - 100 * usedArea / (H * W), in extended precision.
long double andOrLoss(const problem::TInstance& instance, float usedArea);

// The whole report of an AND/OR run.
problem::ReportLines andOrReport(const problem::TInstance& instance, const AndOrRun& run,
                                 const AndOrReportChoices& choices, char decimalSeparator);

// The five summary lines of an AND/OR run.
problem::ReportLines andOrSummary(const problem::TInstance& instance, const AndOrRun& run,
                                  char decimalSeparator);

} // namespace andor
