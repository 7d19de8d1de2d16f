#include "WangReport.h"

#include "BestPattern.h"
#include "NumberText.h"

namespace {

std::int32_t partId(const std::vector<TPattern>& patterns, std::int32_t part) {
    return part == noPart ? 0 : patterns[static_cast<std::size_t>(part)].id;
}

} // namespace

std::array<std::int32_t, 9> patternFields(const std::vector<TPattern>& patterns,
                                          const TPattern& record) {
    return {record.id,
            record.height,
            record.length,
            coveredArea(record),
            record.kind,
            partId(patterns, record.first),
            partId(patterns, record.second),
            record.internalWaste,
            record.totalWaste};
}

std::string patternLine(const std::vector<TPattern>& patterns, const TPattern& record) {
    std::string line;
    for (const std::int32_t field : patternFields(patterns, record))
        line += (line.empty() ? "" : "   -   ") + std::to_string(field);
    return line;
}

ReportLines wangReport(const TInstance& instance, const WangRun& run, char decimalSeparator) {
    ReportLines lines;
    writeReportHead(lines, wangReportTitle);
    writeInstanceBlock(lines, instance);
    lines.insert(lines.end(), {"", "Padrões gerados:", ""});
    lines.reserve(lines.size() + run.patterns.size() + 16);
    for (const TPattern& record : run.patterns)
        lines.push_back(patternLine(run.patterns, record));
    lines.emplace_back();
    const TPattern& best = run.patterns[run.best];
    const std::vector<std::string> results = {"Número de padrões gerados: " +
                                                  std::to_string(run.patterns.size()),
                                              "Melhor padrão: Peça " + std::to_string(best.id) +
                                                  " (Área: " + std::to_string(run.bestArea) + ")"};
    writeReportFoot(lines, results, formatReal(run.loss, decimalSeparator), run.elapsedSeconds);
    return lines;
}

ReportLines wangSummary(const WangRun& run, char decimalSeparator) {
    return summaryLines(std::to_string(run.bestArea), formatReal(run.loss, decimalSeparator),
                        run.elapsedSeconds);
}
