#include "cli/WangCommand.h"

#include "problem/BiFile.h"
#include "cli/CliSupport.h"
#include "problem/NumberText.h"
#include "cli/SvgOutput.h"
#include "wang/WangPattern.h"
#include "wang/WangReport.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>
#include <optional>

namespace {

struct WangCliOptions {
    std::string file;
    std::string beta;
    std::string decimalSeparator;
    std::string output;
    std::string svg;
    bool json = false;
};

// The pattern list is written one record at a time: a document holding a million of them
// would take several times the memory of the run itself.
void writeJson(std::ostream& out, const TInstance& instance, const WangRun& run, char separator) {
    const auto counts =
        std::vector<std::int32_t>(run.counts.begin(), run.counts.begin() + instance.pieceCount);
    const nlohmann::ordered_json rest = {{"best", run.patterns[run.best].id},
                                         {"bestArea", run.bestArea},
                                         {"counts", counts},
                                         {"lossText", formatReal(run.loss, separator)},
                                         {"elapsedSeconds", run.elapsedSeconds}};
    out << "{\"patterns\":[";
    for (std::size_t k = 0; k < run.patterns.size(); ++k) {
        out << (k == 0 ? "[" : ",[");
        const auto fields = patternFields(run.patterns, run.patterns[k]);
        for (std::size_t f = 0; f < fields.size(); ++f)
            out << (f == 0 ? "" : ",") << fields[f];
        out << ']';
    }
    out << "]," << rest.dump().substr(1) << '\n';
}

// Beta as typed, read with the active separator; the default is the value 0.01, not a text.
std::optional<float> betaValue(const std::string& text, char separator) {
    if (text.empty())
        return 0.01f;
    const auto value = parseReal(text, separator);
    if (!value)
        return std::nullopt;
    return static_cast<float>(*value);
}

int runCommand(const WangCliOptions& options) {
    const char separator = decimalSeparatorOr(options.decimalSeparator);
    const auto beta = betaValue(options.beta, separator);
    if (!beta) {
        std::cerr << "Digite um valor numérico para Beta!\n";
        return exitUsageOrFile;
    }
    const auto instance = readBiFile(options.file);
    if (!instance) {
        std::cerr << instance.error() << '\n';
        return exitUsageOrFile;
    }
    const auto run = runWang(*instance, *beta);
    if (!run) {
        std::cerr << failureMessage(run.error()) << '\n';
        return exitRefused;
    }
    // Only built where it is written: it holds a line per record.
    ReportLines report;
    if (!options.output.empty() || !options.json)
        report = wangReport(*instance, *run, separator);
    if (!options.output.empty()) {
        if (const auto written = writeResultFile(report, options.output); !written) {
            std::cerr << written.error() << '\n';
            return exitUsageOrFile;
        }
    }
    const int drawn =
        writeSvgIfAsked(options.svg, wangCuttingPattern(run->patterns, run->best, *instance),
                        *instance, wangSummary(*run, separator));
    if (drawn != 0)
        return drawn;
    if (options.json) {
        writeJson(std::cout, *instance, *run, separator);
    } else {
        for (const std::string& line : report)
            std::cout << line << '\n';
    }
    return 0;
}

} // namespace

void addWangCommand(CLI::App& app, int& exitStatus) {
    auto options = std::make_shared<WangCliOptions>();
    CLI::App* wang = app.add_subcommand("wang", "Run Wang's algorithm on a BI file");
    wang->add_option("file", options->file, "BI input file")->required();
    wang->add_option("--beta", options->beta, "Beta, written with the decimal separator");
    wang->add_option("--decimal-separator", options->decimalSeparator,
                     "Decimal separator of Beta and of the reals printed");
    wang->add_flag("--json", options->json, "Print one JSON object instead of the report");
    wang->add_option("-o,--output", options->output, "Also write the report to this result file");
    wang->add_option("--svg", options->svg, "Also draw the best pattern into this SVG file");
    wang->callback([options, &exitStatus] { exitStatus = runCommand(*options); });
}
