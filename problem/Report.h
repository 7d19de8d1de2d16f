#pragma once

#include "problem/Instance.h"

#include <cstdint>
#include <expected>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace problem {

// The lines of a report as the report area holds them (UTF-8, no line ends).
using ReportLines = std::vector<std::string>;

// Forty "=" characters between the blocks of a report.
inline const std::string separatorLine(40, '=');

// Appends text as report lines; a CR LF inside it ends a line, as in a text area.
void appendText(ReportLines& lines, std::string_view text);

// Separator, title and separator that open every report.
void writeReportHead(ReportLines& lines, std::string_view title);

// The problem: description, plate and one block per piece type.
void writeInstanceBlock(ReportLines& lines, const TInstance& instance);

// The window's result lines, then "Perda = " and the time line.
void writeReportFoot(ReportLines& lines, const std::vector<std::string>& resultLines,
                     std::string_view lossText, std::int64_t elapsedSeconds);

// The five lines of the summary box.
ReportLines summaryLines(std::string_view optimalAreaText, std::string_view lossText,
                         std::int64_t elapsedSeconds);

// Saves a report as a result file: Windows-1252, CR LF after every line.
std::expected<void, std::string> writeResultFile(const ReportLines& lines,
                                                 const std::filesystem::path& path);

} // namespace problem
