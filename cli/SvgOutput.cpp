#include "cli/SvgOutput.h"

#include "cli/CliSupport.h"
#include "pattern/PatternSvg.h"

#include <iostream>

int writeSvgIfAsked(const std::string& path, const CuttingPattern& pattern,
                    const TInstance& instance, const ReportLines& summary)
{
    if (path.empty())
        return 0;
    const PatternScene scene = buildPatternScene(pattern, instance, summaryLinesForDrawing(summary),
                                                 fileDrawingWidth, fileDrawingHeight);
    if (const auto written = writePatternSvg(scene, path); !written) {
        std::cerr << written.error() << '\n';
        return exitUsageOrFile;
    }
    return 0;
}
