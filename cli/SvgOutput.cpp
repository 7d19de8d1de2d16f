#include "cli/SvgOutput.h"

#include "cli/CliSupport.h"
#include "pattern/PatternSvg.h"

#include <iostream>

int writeSvg(const std::string& path, const CuttingPattern& pattern, const TInstance& instance,
             const ReportLines& summary)
{
    const PatternScene scene = buildPatternScene(pattern, instance, summaryLinesForDrawing(summary),
                                                 fileDrawingWidth, fileDrawingHeight);
    if (const auto written = writePatternSvg(scene, path); !written) {
        std::cerr << written.error() << '\n';
        return exitUsageOrFile;
    }
    return 0;
}
