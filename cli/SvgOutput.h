#pragma once

#include "pattern/CuttingPattern.h"
#include "problem/Instance.h"
#include "problem/Report.h"

#include <string>

// Writes the drawing of a run's pattern as SVG when a file was named; the exit status to use
// (0 when nothing was asked or the file was written).
int writeSvgIfAsked(const std::string& path, const CuttingPattern& pattern,
                    const TInstance& instance, const ReportLines& summary);
