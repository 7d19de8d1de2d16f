#include "AndOrCommand.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AndOrReport.h"
#include "BiFile.h"
#include "CliSupport.h"
#include "NumberText.h"
#include "PatternOfLayout.h"
#include "SvgOutput.h"

namespace {

struct AndOrCliOptions {
    std::string file;
    bool unconstrained = false;
    bool constrained = false;
    std::string depth = "3";
    std::string setSize = "100";
    bool symmetry = false;
    bool heuristics = false;
    std::string lambda1;
    std::string lambda2;
    std::string decimalSeparator;
    std::string svg;
    std::string output;
    bool json = false;
};

nlohmann::ordered_json setJson(const TDiscretizationSet& set)
{
    return {
        {"points", std::vector<std::int32_t>(set.points.begin(), set.points.begin() + set.count)},
        {"floors", std::vector<std::int32_t>(set.floors.begin(), set.floors.begin() + set.count)}};
}

// A lambda as typed, read with the active separator; an absent one keeps its default value.
std::optional<double> lambdaValue(const std::string& text, double fallback, char separator)
{
    if (text.empty())
        return fallback;
    const auto value = parseReal(text, separator);
    if (!value)
        return std::nullopt;
    return static_cast<double>(*value);
}

// The settings as the run window reads its fields; the message of the first that fails.
std::optional<std::string> readSettings(const AndOrCliOptions& options, char separator,
                                        SolverSettings& settings)
{
    const auto depth = parseInteger(options.depth);
    if (!depth)
        return "Digite um valor inteiro para a Profundidade!";
    const auto setSize = parseInteger(options.setSize);
    if (!setSize)
        return "Digite um valor inteiro para o Conjunto de Discretização!";
    settings.depthLimit = *depth;
    settings.setCapacity = *setSize;
    settings.symmetryOn = options.symmetry;
    settings.heuristicsOn = options.heuristics;
    if (!options.heuristics)
        return std::nullopt; // the lambdas are not read, as in the window
    const auto lambda1 = lambdaValue(options.lambda1, settings.lambda1, separator);
    if (!lambda1)
        return "Digite um valor numérico para Lambda 1!";
    const auto lambda2 = lambdaValue(options.lambda2, settings.lambda2, separator);
    if (!lambda2)
        return "Digite um valor numérico para Lambda 2!";
    settings.lambda1 = *lambda1;
    settings.lambda2 = *lambda2;
    return std::nullopt;
}

// The report shows the lambdas as typed; an absent one as its default in the active form.
AndOrReportChoices reportChoices(const AndOrCliOptions& options, const SolverSettings& settings,
                                 char separator)
{
    auto typed = [separator](const std::string& text, double value) {
        return text.empty() ? formatReal(value, separator) : text;
    };
    return {!options.unconstrained,
            settings.depthLimit,
            settings.setCapacity,
            settings.symmetryOn,
            settings.heuristicsOn,
            typed(options.lambda1, settings.lambda1),
            typed(options.lambda2, settings.lambda2)};
}

int runCommand(const AndOrCliOptions& options)
{
    const char separator = decimalSeparatorOr(options.decimalSeparator);
    SolverSettings settings;
    if (const auto fault = readSettings(options, separator, settings)) {
        std::cerr << *fault << '\n';
        return exitUsageOrFile;
    }
    const auto instance = readBiFile(options.file);
    if (!instance) {
        std::cerr << instance.error() << '\n';
        return exitUsageOrFile;
    }
    const ProblemKind kind =
        options.unconstrained ? ProblemKind::Unconstrained : ProblemKind::Constrained;
    const auto run = runAndOr(*instance, kind, settings);
    if (!run) {
        std::cerr << failureMessage(run.error()) << '\n';
        if (const std::string reason = failureReason(run.error()); !reason.empty())
            std::cerr << reason << '\n';
        return exitRefused;
    }
    const int drawn = writeSvgIfAsked(options.svg, cuttingPatternOf(run->layout, *instance),
                                      *instance, andOrSummary(*instance, *run, separator));
    if (drawn != 0)
        return drawn;
    const ReportLines report =
        andOrReport(*instance, *run, reportChoices(options, settings, separator), separator);
    if (!options.output.empty()) {
        if (const auto written = writeResultFile(report, options.output); !written) {
            std::cerr << written.error() << '\n';
            return exitUsageOrFile;
        }
    }
    if (options.json) {
        std::cout << andOrJson(*instance, kind, *run, separator).dump() << '\n';
    } else {
        for (const std::string& line : report)
            std::cout << line << '\n';
    }
    return 0;
}

} // namespace

nlohmann::ordered_json andOrJson(const TInstance& instance, ProblemKind kind, const AndOrRun& run,
                                 char decimalSeparator)
{
    const auto counts =
        std::vector<std::int32_t>(run.counts.begin(), run.counts.begin() + instance.pieceCount);
    return {{"problem", kind == ProblemKind::Constrained ? "constrained" : "unconstrained"},
            {"xSet", setJson(run.xSet)},
            {"ySet", setJson(run.ySet)},
            {"value", run.value},
            {"valueText", formatReal(run.value, decimalSeparator)},
            {"counts", counts},
            {"elapsedSeconds", run.elapsedSeconds},
            {"usedArea", usedAreaOf(instance, run.counts)},
            {"lossText",
             formatReal(andOrLoss(instance, usedAreaOf(instance, run.counts)), decimalSeparator)}};
}

void addAndOrCommand(CLI::App& app, int& exitStatus)
{
    auto options = std::make_shared<AndOrCliOptions>();
    CLI::App* andor = app.add_subcommand("andor", "Run the AND/OR graph approach on a BI file");
    andor->add_option("file", options->file, "BI input file")->required();
    auto* unconstrained = andor->add_flag("--unconstrained", options->unconstrained,
                                          "Unlimited copies of each piece type");
    auto* constrained = andor->add_flag("--constrained", options->constrained,
                                        "At most each type's demand (the default)");
    unconstrained->excludes(constrained);
    andor->add_option("--depth", options->depth, "Depth limit (default 3)");
    andor->add_option("--set-size", options->setSize, "Discretization set capacity (default 100)");
    andor->add_flag("--symmetry", options->symmetry, "Bound positions by half the plate side");
    andor->add_flag("--heuristics", options->heuristics, "Discard unpromising cuts");
    andor->add_option("--lambda1", options->lambda1, "Lambda 1 (default 0.1)");
    andor->add_option("--lambda2", options->lambda2, "Lambda 2 (default 0.95)");
    andor->add_option("--decimal-separator", options->decimalSeparator,
                      "Decimal separator of the lambdas and of the reals printed");
    andor->add_flag("--json", options->json, "Print one JSON object instead of the report");
    andor->add_option("-o,--output", options->output,
                      "Also write the report as a result file (Windows-1252, CR LF)");
    andor->add_option("--svg", options->svg, "Also draw the best pattern into this SVG file");
    andor->callback([options, &exitStatus] { exitStatus = runCommand(*options); });
}
