#pragma once

#include "pattern/CuttingPattern.h"
#include "problem/Instance.h"
#include "problem/Report.h"

#include <string>

// Writes the drawing of a run's pattern as an SVG file; the exit status to use (0 when written).
int writeSvg(const std::string& path, const pattern::CuttingPattern& pattern,
             const problem::TInstance& instance, const problem::ReportLines& summary);
