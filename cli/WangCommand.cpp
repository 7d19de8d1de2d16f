#include "cli/WangCommand.h"

#include "cli/CliSupport.h"
#include "cli/CommandRunControl.h"
#include "cli/JsonWriter.h"
#include "cli/SvgOutput.h"
#include "problem/BiFile.h"
#include "problem/NumberText.h"
#include "wang/BetaText.h"
#include "wang/WangPattern.h"
#include "wang/WangReport.h"

#include <CLI/CLI.hpp>

#include <expected>
#include <iostream>
#include <memory>
#include <optional>

namespace {

struct WangCliOptions {
    std::string file;
    std::optional<std::string> beta;
    std::optional<std::string> decimalSeparator;
    std::optional<std::string> output;
    std::optional<std::string> svg;
    std::optional<std::string> memoryLimit;
    bool json = false;
    bool progress = false;
};

// The pattern list is written one record at a time: a document holding a million of them
// would take several times the memory of the run itself.
void writeJson(std::ostream& out, const problem::TInstance& instance, const wang::WangRun& run,
               char separator)
{
    JsonWriter json(out);
    json.beginObject().key("patterns").beginArray();
    for (const wang::TPattern& record : run.patterns) {
        json.beginArray();
        for (const std::int64_t field : wang::patternFields(run.patterns, record))
            json.value(field);
        json.endArray();
    }
    json.endArray()
        .key("best")
        .value(run.patterns[run.best].id)
        .key("bestArea")
        .value(run.bestArea)
        .key("counts")
        .value(
            std::vector<std::int32_t>(run.counts.begin(), run.counts.begin() + instance.pieceCount))
        .key("lossText")
        .value(problem::formatReal(run.loss, separator))
        .key("elapsedSeconds")
        .value(run.elapsedSeconds)
        .endObject();
    out << '\n';
}

// The default Beta is the value 0.01, not a text.
std::expected<float, std::string> betaValue(const std::optional<std::string>& text, char separator)
{
    if (!text)
        return 0.01f;
    return wang::readBeta(*text, separator);
}

int runCommand(const WangCliOptions& options)
{
    const auto separator = acceptSharedOptions(options.decimalSeparator, options.output,
                                               options.svg, options.memoryLimit);
    if (!separator) {
        std::cerr << separator.error() << '\n';
        return exitUsageOrFile;
    }
    const auto beta = betaValue(options.beta, *separator);
    if (!beta) {
        std::cerr << beta.error() << '\n';
        return exitUsageOrFile;
    }
    const auto instance = problem::readBiFile(options.file);
    if (!instance) {
        std::cerr << instance.error() << '\n';
        return exitUsageOrFile;
    }
    CommandRunControl runControl(options.progress, wang::progressText);
    wang::WangOptions runOptions;
    runOptions.control = &runControl.control();
    const auto run = wang::runWang(*instance, *beta, runOptions);
    if (runControl.endedByInterrupt())
        return exitInterrupted;
    if (!run) {
        std::cerr << wang::failureMessage(run.error()) << '\n';
        return exitRefused;
    }
    // Only built where it is written: it holds a line per record.
    problem::ReportLines report;
    if (options.output || !options.json)
        try {
            report = wang::wangReport(*instance, *run, *separator, &runControl.control());
        } catch (const problem::RunStopped&) {
            std::cerr << interruptedMessage << '\n';
            return exitInterrupted;
        }
    if (options.output) {
        if (const auto written = problem::writeResultFile(report, *options.output); !written) {
            std::cerr << written.error() << '\n';
            return exitUsageOrFile;
        }
    }
    if (options.svg) {
        const int drawn =
            writeSvg(*options.svg, wang::wangCuttingPattern(run->patterns, run->best, *instance),
                     *instance, wang::wangSummary(*run, *separator));
        if (drawn != 0)
            return drawn;
    }
    if (options.json) {
        writeJson(std::cout, *instance, *run, *separator);
    } else {
        for (const std::string& line : report)
            std::cout << line << '\n';
    }
    return 0;
}

} // namespace

void addWangCommand(CLI::App& app, CommandToRun& command)
{
    auto options = std::make_shared<WangCliOptions>();
    CLI::App* wang = app.add_subcommand("wang", "Run Wang's algorithm on a BI file");
    wang->add_option("file", options->file, "BI input file")->required();
    wang->add_option("--beta", options->beta, "Beta, written with the decimal separator");
    wang->add_option("--decimal-separator", options->decimalSeparator,
                     "Decimal separator of Beta and of the reals printed");
    wang->add_flag("--json", options->json, "Print one JSON object instead of the report");
    wang->add_flag("--progress", options->progress, "Show the run's progress on standard error");
    wang->add_option("-o,--output", options->output, "Also write the report to this result file");
    wang->add_option("--svg", options->svg, "Also draw the best pattern into this SVG file");
    wang->add_option("--memory-limit", options->memoryLimit,
                     "Stop the run before it takes more memory than this, in bytes or with a "
                     "K, M or G suffix (default: 75% of physical memory)");
    wang->callback([options, &command] { command = [options] { return runCommand(*options); }; });
}
