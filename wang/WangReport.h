#pragma once

#include "problem/Report.h"
#include "problem/RunControl.h"
#include "wang/WangRun.h"

#include <array>
#include <cstdint>
#include <string>

namespace wang {

// Title line of the Wang report.
inline constexpr const char* wangReportTitle =
    "Problema de Corte Bidimensional Restrito - Algoritmo de Wang";

// The nine numbers of a list element: id, height, length, covered area, kind, first part id,
// second part id (0 for a piece), inner waste, total waste.
std::array<std::int64_t, 9> patternFields(const std::vector<TPattern>& patterns,
                                          const TPattern& record);

// One list element as its nine numbers joined by "   -   ".
std::string patternLine(const std::vector<TPattern>& patterns, const TPattern& record);

// The whole report of a run: head, problem, generated patterns, result lines and foot. A
// control, when given, can stop the writing of a long list (problem::RunStopped).
problem::ReportLines wangReport(const problem::TInstance& instance, const WangRun& run,
                                char decimalSeparator, problem::RunControl* control = nullptr);

// The five lines of the summary box, with the best pattern's area as an integer.
problem::ReportLines wangSummary(const WangRun& run, char decimalSeparator);

} // namespace wang
