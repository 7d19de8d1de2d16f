#include "cli/SvgOutput.h"

#include "cli/CliSupport.h"
#include "pattern/PatternSvg.h"

#include <iostream>

int writeSvg(const std::string& path, const pattern::CuttingPattern& pattern,
             const problem::TInstance& instance, const problem::ReportLines& summary)
{
    const pattern::PatternScene scene =
        pattern::buildPatternScene(pattern, instance, pattern::summaryLinesForDrawing(summary),
                                   pattern::fileDrawingWidth, pattern::fileDrawingHeight);
    if (const auto written = pattern::writePatternSvg(scene, path); !written) {
        std::cerr << written.error() << '\n';
        return exitUsageOrFile;
    }
    return 0;
}
