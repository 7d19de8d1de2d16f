#include "cli/AndOrCommand.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "andor/AndOrReport.h"
#include "andor/ParameterTexts.h"
#include "andor/PatternOfLayout.h"
#include "cli/CliSupport.h"
#include "cli/CommandRunControl.h"
#include "cli/JsonWriter.h"
#include "cli/SvgOutput.h"
#include "problem/BiFile.h"
#include "problem/NumberText.h"

namespace {

struct AndOrCliOptions {
    std::string file;
    bool unconstrained = false;
    bool constrained = false;
    std::string depth = "3";
    std::string setSize = "100";
    bool symmetry = false;
    bool heuristics = false;
    std::optional<std::string> lambda1;
    std::optional<std::string> lambda2;
    std::optional<std::string> decimalSeparator;
    std::optional<std::string> svg;
    std::optional<std::string> output;
    std::optional<std::string> memoryLimit;
    bool json = false;
    bool progress = false;
};

void writeSet(JsonWriter& json, const andor::TDiscretizationSet& set)
{
    json.beginObject()
        .key("points")
        .value(std::vector<std::int32_t>(set.points.begin(), set.points.begin() + set.count))
        .key("floors")
        .value(std::vector<std::int32_t>(set.floors.begin(), set.floors.begin() + set.count))
        .endObject();
}

// The report shows the lambdas as typed; an absent one as its default in the active form.
andor::AndOrReportChoices reportChoices(const AndOrCliOptions& options,
                                        const andor::SolverSettings& settings, char separator)
{
    auto typed = [separator](const std::optional<std::string>& text, double value) {
        return text ? *text : problem::formatReal(value, separator);
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
    const auto separator = acceptSharedOptions(options.decimalSeparator, options.output,
                                               options.svg, options.memoryLimit);
    if (!separator) {
        std::cerr << separator.error() << '\n';
        return exitUsageOrFile;
    }
    const andor::ParameterTexts texts{options.depth,      options.setSize, options.symmetry,
                                      options.heuristics, options.lambda1, options.lambda2};
    const auto parameters = andor::readParameters(texts, *separator);
    if (!parameters) {
        std::cerr << parameters.error() << '\n';
        return exitUsageOrFile;
    }
    andor::SolverSettings settings = *parameters;
    // Standard output holds the JSON object alone.
    if (options.json)
        settings.builderNotices = stderr;
    const auto instance = problem::readBiFile(options.file);
    if (!instance) {
        std::cerr << instance.error() << '\n';
        return exitUsageOrFile;
    }
    const andor::ProblemKind kind =
        options.unconstrained ? andor::ProblemKind::Unconstrained : andor::ProblemKind::Constrained;
    CommandRunControl runControl(options.progress, andor::progressText);
    settings.control = &runControl.control();
    const auto run = andor::runAndOr(*instance, kind, settings);
    if (runControl.endedByInterrupt())
        return exitInterrupted;
    if (!run) {
        std::cerr << failedRunText(andor::failureMessage(run.error()),
                                   andor::failureReason(run.error()))
                  << '\n';
        return exitRefused;
    }
    if (options.svg) {
        const int drawn = writeSvg(*options.svg, andor::cuttingPatternOf(run->layout, *instance),
                                   *instance, andor::andOrSummary(*instance, *run, *separator));
        if (drawn != 0)
            return drawn;
    }
    const problem::ReportLines report = andor::andOrReport(
        *instance, *run, reportChoices(options, settings, *separator), *separator);
    if (options.output) {
        if (const auto written = problem::writeResultFile(report, *options.output); !written) {
            std::cerr << written.error() << '\n';
            return exitUsageOrFile;
        }
    }
    if (options.json) {
        writeAndOrJson(std::cout, *instance, kind, *run, *separator);
    } else {
        for (const std::string& line : report)
            std::cout << line << '\n';
    }
    return 0;
}

} // namespace

void writeAndOrJson(std::ostream& out, const problem::TInstance& instance, andor::ProblemKind kind,
                    const andor::AndOrRun& run, char decimalSeparator)
{
    const float usedArea = andor::usedAreaOf(instance, run.counts);
    JsonWriter json(out);
    json.beginObject()
        .key("problem")
        .value(kind == andor::ProblemKind::Constrained ? "constrained" : "unconstrained")
        .key("xSet");
    writeSet(json, run.xSet);
    json.key("ySet");
    writeSet(json, run.ySet);
    json.key("value")
        .value(run.value)
        .key("valueText")
        .value(problem::formatReal(run.value, decimalSeparator))
        .key("counts")
        .value(
            std::vector<std::int32_t>(run.counts.begin(), run.counts.begin() + instance.pieceCount))
        .key("elapsedSeconds")
        .value(run.elapsedSeconds)
        .key("usedArea")
        .value(usedArea)
        .key("lossText")
        .value(problem::formatReal(andor::andOrLoss(instance, usedArea), decimalSeparator))
        .endObject();
    out << '\n';
}

void addAndOrCommand(CLI::App& app, CommandToRun& command)
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
    andor->add_flag("--progress", options->progress, "Show the run's progress on standard error");
    andor->add_option("-o,--output", options->output,
                      "Also write the report as a result file (Windows-1252, CR LF)");
    andor->add_option("--svg", options->svg, "Also draw the best pattern into this SVG file");
    andor->add_option("--memory-limit", options->memoryLimit,
                      "Stop the run before it takes more memory than this, in bytes or with a "
                      "K, M or G suffix (default: 75% of physical memory)");
    andor->callback([options, &command] { command = [options] { return runCommand(*options); }; });
}
