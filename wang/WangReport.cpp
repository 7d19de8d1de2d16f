#include "wang/WangReport.h"

#include "problem/NumberText.h"
#include "wang/BestPattern.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace wang {

namespace {

std::int64_t partId(const std::vector<TPattern>& patterns, std::int32_t part)
{
    return part == noPart ? 0 : patterns[static_cast<std::size_t>(part)].id;
}

} // namespace

std::array<std::int64_t, 9> patternFields(const std::vector<TPattern>& patterns,
                                          const TPattern& record)
{
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

// Written into one buffer, as a report may hold a million such lines.
std::string patternLine(const std::vector<TPattern>& patterns, const TPattern& record)
{
    constexpr std::string_view separator = "   -   ";
    const auto fields = patternFields(patterns, record);
    std::array<char, fields.size() * (separator.size() + 20)> buffer; // "-9223372036854775808"
    char* end = buffer.data();
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0)
            end = std::ranges::copy(separator, end).out;
        end = std::to_chars(end, buffer.data() + buffer.size(), fields[k]).ptr;
    }
    return {buffer.data(), end};
}

problem::ReportLines wangReport(const problem::TInstance& instance, const WangRun& run,
                                char decimalSeparator, problem::RunControl* control)
{
    problem::ReportLines lines;
    problem::writeReportHead(lines, wangReportTitle);
    problem::writeInstanceBlock(lines, instance);
    lines.insert(lines.end(), {"", "Padrões gerados:", ""});
    lines.reserve(lines.size() + run.patterns.size() + 16);
    for (const TPattern& record : run.patterns) {
        problem::checkpoint(control);
        lines.push_back(patternLine(run.patterns, record));
    }
    lines.emplace_back();
    const TPattern& best = run.patterns[run.best];
    const std::vector<std::string> results = {"Número de padrões gerados: " +
                                                  std::to_string(run.patterns.size()),
                                              "Melhor padrão: Peça " + std::to_string(best.id) +
                                                  " (Área: " + std::to_string(run.bestArea) + ")"};
    problem::writeReportFoot(lines, results, problem::formatReal(run.loss, decimalSeparator),
                             run.elapsedSeconds);
    return lines;
}

problem::ReportLines wangSummary(const WangRun& run, char decimalSeparator)
{
    return problem::summaryLines(std::to_string(run.bestArea),
                                 problem::formatReal(run.loss, decimalSeparator),
                                 run.elapsedSeconds);
}

} // namespace wang
