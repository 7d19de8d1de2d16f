#include "WangReport.h"

#include "BestPattern.h"
#include "NumberText.h"

namespace {

std::string partId(const std::vector<TPattern>& patterns, std::int32_t part)
{
    return part == noPart ? "0" : std::to_string(patterns[static_cast<std::size_t>(part)].id);
}

} // namespace

std::string patternLine(const std::vector<TPattern>& patterns, const TPattern& record)
{
    const std::string fields[] = {std::to_string(record.id),
                                  std::to_string(record.height),
                                  std::to_string(record.length),
                                  std::to_string(coveredArea(record)),
                                  std::to_string(record.kind),
                                  partId(patterns, record.first),
                                  partId(patterns, record.second),
                                  std::to_string(record.internalWaste),
                                  std::to_string(record.totalWaste)};
    std::string line = fields[0];
    for (std::size_t i = 1; i < std::size(fields); ++i)
        line += "   -   " + fields[i];
    return line;
}

ReportLines wangReport(const TInstance& instance, const WangRun& run, char decimalSeparator)
{
    ReportLines lines;
    writeReportHead(lines, wangReportTitle);
    writeInstanceBlock(lines, instance);
    lines.insert(lines.end(), {"", "Padrões gerados:", ""});
    lines.reserve(lines.size() + run.patterns.size() + 16);
    for (const TPattern& record : run.patterns)
        lines.push_back(patternLine(run.patterns, record));
    lines.emplace_back();
    const TPattern& best = run.patterns[run.best];
    const std::vector<std::string> results = {
        "Número de padrões gerados: " + std::to_string(run.patterns.size()),
        "Melhor padrão: Peça " + std::to_string(best.id) + " (Área: " +
            std::to_string(run.bestArea) + ")"};
    writeReportFoot(lines, results, formatReal(run.loss, decimalSeparator), run.elapsedSeconds);
    return lines;
}

ReportLines wangSummary(const WangRun& run, char decimalSeparator)
{
    return summaryLines(std::to_string(run.bestArea), formatReal(run.loss, decimalSeparator),
                        run.elapsedSeconds);
}
