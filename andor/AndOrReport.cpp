#include "andor/AndOrReport.h"

#include "problem/NumberText.h"

#include <algorithm>

namespace andor {

namespace {

std::int32_t wrappingProduct(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

void writeSet(problem::ReportLines& lines, const TDiscretizationSet& set, const char* name,
              const char* heading)
{
    lines.push_back(std::string(name) + ": " + std::to_string(set.count) + " elementos");
    lines.emplace_back(heading);
    for (int i = 0; i < std::clamp(set.count, 0, maxSetPositions); ++i)
        lines.push_back("   " + std::to_string(set.points[i]) + "     " +
                        std::to_string(set.floors[i]));
}

void writeSets(problem::ReportLines& lines, const AndOrRun& run)
{
    lines.insert(lines.end(), {"", "Elementos dos conjuntos de discretização:", ""});
    writeSet(lines, run.xSet, "X", "    x      F(x)");
    lines.emplace_back();
    writeSet(lines, run.ySet, "Y", "    y      G(y)");
    lines.emplace_back();
}

void writeParameters(problem::ReportLines& lines, const AndOrReportChoices& choices)
{
    lines.insert(lines.end(),
                 {problem::separatorLine, "",
                  "Profundidade = " + std::to_string(choices.depthLimit),
                  "Tamanho do conjunto de discretização = " + std::to_string(choices.setCapacity),
                  choices.symmetryOn ? "Simetria: Sim" : "Simetria: Não"});
    if (choices.heuristicsOn) {
        lines.insert(lines.end(), {"Heurísticas: Sim", "   Lambda 1 = " + choices.lambda1Text,
                                   "   Lambda 2 = " + choices.lambda2Text});
    } else {
        lines.emplace_back("Heurísticas: Não");
    }
    lines.emplace_back();
}

void writePattern(problem::ReportLines& lines, const problem::TInstance& instance,
                  const AndOrRun& run)
{
    lines.insert(lines.end(), {problem::separatorLine, ""});
    for (int r = 1; r <= std::clamp(instance.pieceCount, 0, problem::maxPieceTypes); ++r) {
        const std::int32_t count = run.counts[r - 1];
        if (count <= 0)
            continue;
        lines.push_back(std::to_string(count) + (count == 1 ? " peça (" : " peças (") +
                        std::to_string(r) + ")");
        lines.emplace_back();
    }
}

} // namespace

float usedAreaOf(const problem::TInstance& instance,
                 const std::array<std::int32_t, problem::maxPieceTypes>& counts)
{
    float usedArea = 0.0f;
    for (int i = 0; i < std::clamp(instance.pieceCount, 0, problem::maxPieceTypes); ++i) {
        const problem::TPieceType& piece = instance.pieces[i];
        usedArea += static_cast<float>(
            wrappingProduct(wrappingProduct(counts[i], piece.height), piece.length));
    }
    return usedArea;
}

long double andOrLoss(const problem::TInstance& instance, float usedArea)
{
    const std::int32_t plateArea = wrappingProduct(instance.plateHeight, instance.plateLength);
    return 100.0L - 100.0L * static_cast<long double>(usedArea) / plateArea;
}

problem::ReportLines andOrReport(const problem::TInstance& instance, const AndOrRun& run,
                                 const AndOrReportChoices& choices, char decimalSeparator)
{
    problem::ReportLines lines;
    problem::writeReportHead(
        lines, choices.constrained
                   ? "Problema de Corte Bidimensional Restrito - Abordagem Grafo E/OU"
                   : "Problema de Corte Bidimensional Irrestrito - Abordagem Grafo E/OU");
    problem::writeInstanceBlock(lines, instance);
    writeSets(lines, run);
    writeParameters(lines, choices);
    writePattern(lines, instance, run);
    const long double loss = andOrLoss(instance, usedAreaOf(instance, run.counts));
    problem::writeReportFoot(lines,
                             {"Área ótima = " + problem::formatReal(run.value, decimalSeparator)},
                             problem::formatReal(loss, decimalSeparator), run.elapsedSeconds);
    return lines;
}

problem::ReportLines andOrSummary(const problem::TInstance& instance, const AndOrRun& run,
                                  char decimalSeparator)
{
    const long double loss = andOrLoss(instance, usedAreaOf(instance, run.counts));
    return problem::summaryLines(problem::formatReal(run.value, decimalSeparator),
                                 problem::formatReal(loss, decimalSeparator), run.elapsedSeconds);
}

} // namespace andor
