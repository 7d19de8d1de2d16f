#pragma once

#include "Report.h"
#include "WangRun.h"

#include <string>

// Title line of the Wang report.
inline constexpr const char* wangReportTitle =
    "Problema de Corte Bidimensional Restrito - Algoritmo de Wang";

// One list element as nine numbers joined by "   -   ": id, height, length, covered area,
// kind, first part id, second part id (0 for a piece), inner waste, total waste.
std::string patternLine(const std::vector<TPattern>& patterns, const TPattern& record);

// The whole report of a run: head, problem, generated patterns, result lines and foot.
ReportLines wangReport(const TInstance& instance, const WangRun& run, char decimalSeparator);

// The five lines of the summary box, with the best pattern's area as an integer.
ReportLines wangSummary(const WangRun& run, char decimalSeparator);
