#include "problem/Report.h"

#include "problem/BiFile.h"
#include "problem/NumberText.h"

#include <algorithm>

namespace problem {

void appendText(ReportLines& lines, std::string_view text)
{
    for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos;) {
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 2);
    }
    lines.emplace_back(text);
}

void writeReportHead(ReportLines& lines, std::string_view title)
{
    lines.insert(lines.end(), {separatorLine, "", std::string(title), "", separatorLine, ""});
}

void writeInstanceBlock(ReportLines& lines, const TInstance& instance)
{
    appendText(lines, instance.description);
    lines.insert(lines.end(), {"H = " + std::to_string(instance.plateHeight),
                               "W = " + std::to_string(instance.plateLength), "", separatorLine, "",
                               "Peças:", ""});
    for (int i = 0; i < std::min(instance.pieceCount, maxPieceTypes); ++i) {
        const TPieceType& piece = instance.pieces[i];
        lines.insert(lines.end(), {"   Peça número " + std::to_string(piece.id),
                                   "   Altura: " + std::to_string(piece.height),
                                   "   Comprimento: " + std::to_string(piece.length),
                                   "   Quantidade: " + std::to_string(piece.demand),
                                   "   Valor da peça: " + std::to_string(piece.value), ""});
    }
    lines.push_back(separatorLine);
}

void writeReportFoot(ReportLines& lines, const std::vector<std::string>& resultLines,
                     std::string_view lossText, std::int64_t elapsedSeconds)
{
    lines.insert(lines.end(), {separatorLine, ""});
    lines.insert(lines.end(), resultLines.begin(), resultLines.end());
    lines.insert(lines.end(),
                 {"Perda = " + std::string(lossText) + " %", timeLine(elapsedSeconds), ""});
}

ReportLines summaryLines(std::string_view optimalAreaText, std::string_view lossText,
                         std::int64_t elapsedSeconds)
{
    return {"Área ótima = " + std::string(optimalAreaText), "",
            "Perda = " + std::string(lossText) + " %", "", timeLine(elapsedSeconds)};
}

std::expected<void, std::string> writeResultFile(const ReportLines& lines,
                                                 const std::filesystem::path& path)
{
    return writeTextLines(lines, path);
}

} // namespace problem
