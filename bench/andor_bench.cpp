// Runs the direct and the memoized AND/OR engines on the classic instances and on generated
// ones, both problem kinds, depths 1 to 6, and prints one table. Each run happens in a child
// process, so that its peak resident memory is its own and a run past the time budget can be
// stopped; short runs are repeated and the fastest kept. Beside each value it prints the value
// an earlier version of the fast engine found, from a file of known values: a value that
// changes is a fault, not a speed-up. "--smoke" runs one tiny case, for ctest.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "andor/AndOrRun.h"
#include "problem/BiFile.h"

namespace {

// What a full run covers; "--max-depth N", "--direct-cap NODES", "--fast-cap SECONDS",
// "--only NAME", "--from NAME" (that case and those after it, to resume a run) and
// "--values FILE" (the known values) change it.
struct BenchLimits {
    int maxDepth = 6;
    std::int64_t directNodeCap = 100'000'000; // the direct engine runs up to this many nodes
    unsigned fastSecondsCap = 60;             // a slower fast run stops its case's deeper ones
    std::string only;
    std::string from;
    std::string valuesFile = QUADRIX_BENCH_VALUES;
};

// Values an earlier version of the fast engine found, by instance, kind and depth; each line
// of the file is "instance kind depth value", or a comment from "#".
using KnownValues = std::map<std::string, std::string>;

std::string rowKey(const std::string& name, const char* kind, int depth)
{
    return name + " " + kind + " " + std::to_string(depth);
}

KnownValues readKnownValues(const std::string& path)
{
    KnownValues known;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        std::istringstream fields(line);
        std::string name, kind, value;
        int depth = 0;
        if (!line.starts_with('#') && fields >> name >> kind >> depth >> value)
            known[rowKey(name, kind.c_str(), depth)] = value;
    }
    return known;
}

std::string valueText(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
    return text;
}

struct BenchCase {
    std::string name;
    problem::TInstance instance;
};

// What one child process measured.
struct Measure {
    bool finished = false;
    bool solved = false;
    double seconds = 0.0;
    std::int64_t nodes = 0;
    float value = 0.0f;
    long peakKilobytes = 0;
};

using Engine = std::expected<andor::AndOrRun, andor::AndOrFailure> (*)(
    const problem::TInstance&, andor::ProblemKind, const andor::SolverSettings&);

Measure measureInChild(Engine engine, const problem::TInstance& instance, andor::ProblemKind kind,
                       const andor::SolverSettings& settings, unsigned secondsCap)
{
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        alarm(secondsCap);
        const auto start = std::chrono::steady_clock::now();
        const auto run = engine(instance, kind, settings);
        Measure measure;
        measure.finished = true;
        measure.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        measure.solved = run.has_value();
        if (run) {
            measure.nodes = run->nodesExamined.value_or(-1);
            measure.value = run->value;
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        measure.peakKilobytes = usage.ru_maxrss;
        [[maybe_unused]] const auto written = write(channel[1], &measure, sizeof measure);
        _exit(0);
    }
    close(channel[1]);
    Measure measure;
    if (read(channel[0], &measure, sizeof measure) != static_cast<ssize_t>(sizeof measure))
        measure = {};
    close(channel[0]);
    waitpid(child, nullptr, 0);
    return measure;
}

// The machine's speed varies from run to run: a run shorter than this is repeated, and the
// fastest of its runs is kept.
constexpr double repeatBelowSeconds = 5.0;
constexpr int runsOfShortCases = 3;

Measure fastestInChildren(Engine engine, const problem::TInstance& instance,
                          andor::ProblemKind kind, const andor::SolverSettings& settings,
                          unsigned secondsCap)
{
    Measure best = measureInChild(engine, instance, kind, settings, secondsCap);
    if (!best.finished || best.seconds >= repeatBelowSeconds)
        return best;
    for (int run = 1; run < runsOfShortCases; ++run) {
        const Measure again = measureInChild(engine, instance, kind, settings, secondsCap);
        if (again.finished && again.seconds < best.seconds)
            best = again;
    }
    return best;
}

// The program's run, timed, and the run that counts the direct engine's nodes for the table.
std::expected<andor::AndOrRun, andor::AndOrFailure>
runAsTheProgram(const problem::TInstance& instance, andor::ProblemKind kind,
                const andor::SolverSettings& settings)
{
    return andor::runAndOr(instance, kind, settings, andor::NodeCounting::Skip);
}

std::expected<andor::AndOrRun, andor::AndOrFailure>
runCountingNodes(const problem::TInstance& instance, andor::ProblemKind kind,
                 const andor::SolverSettings& settings)
{
    return andor::runAndOr(instance, kind, settings, andor::NodeCounting::Count);
}

std::vector<BenchCase> classicCases()
{
    std::vector<BenchCase> cases;
    for (const auto& entry : std::filesystem::directory_iterator(QUADRIX_INSTANCES_DIR))
        if (entry.path().extension() == ".BI")
            if (auto instance = problem::readBiFile(entry.path()))
                cases.push_back({entry.path().stem().string(), *instance});
    std::sort(cases.begin(), cases.end(),
              [](const BenchCase& a, const BenchCase& b) { return a.name < b.name; });
    return cases;
}

BenchCase generatedCase(std::uint32_t seed, int side, int types)
{
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    problem::TInstance instance;
    instance.plateHeight = pick(side / 2, side);
    instance.plateLength = pick(side / 2, side);
    instance.pieceCount = types;
    for (int i = 0; i < types; ++i)
        instance.pieces[static_cast<std::size_t>(i)] = {i + 1, pick(1, instance.plateHeight / 3),
                                                        pick(1, instance.plateLength / 3),
                                                        pick(1, 5), pick(1, 100)};
    return {"gen" + std::to_string(seed) + "-" + std::to_string(side), instance};
}

std::string secondsText(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

// Runs one case at depths 1 to maxDepth and prints a row per depth. Nodes are counted until
// a depth's count passes the direct engine's cap: deeper counts only grow, and counting gives
// up the skipping that makes the deep runs fast.
void benchCase(const BenchCase& c, andor::ProblemKind kind, const BenchLimits& limits,
               const KnownValues& known)
{
    const char* kindName =
        kind == andor::ProblemKind::Constrained ? "constrained" : "unconstrained";
    bool counting = true;
    for (int depth = 1; depth <= limits.maxDepth; ++depth) {
        andor::SolverSettings settings;
        settings.depthLimit = depth;
        const Measure fast =
            fastestInChildren(runAsTheProgram, c.instance, kind, settings, limits.fastSecondsCap);
        const auto knownValue = known.find(rowKey(c.name, kindName, depth));
        const std::string earlier = knownValue == known.end() ? "-" : knownValue->second;
        if (!fast.finished) {
            std::printf("%-10s %-13s %5d %16s %10s %10s %9s %9s %12s %12s\n", c.name.c_str(),
                        kindName, depth, "-", "-", ">cap", "-", "-", earlier.c_str(), "-");
            return;
        }
        if (!fast.solved) {
            std::printf("%-10s %-13s %5d  no run (input refused or set not built)\n",
                        c.name.c_str(), kindName, depth);
            return;
        }
        const Measure counted = counting ? measureInChild(runCountingNodes, c.instance, kind,
                                                          settings, limits.fastSecondsCap)
                                         : Measure{};
        counting = counted.finished && counted.nodes <= limits.directNodeCap;
        std::string direct = "skipped", speedUp = "-";
        if (counting) {
            const Measure slow =
                fastestInChildren(andor::runAndOrReference, c.instance, kind, settings, 600);
            if (slow.finished && slow.solved) {
                direct = secondsText(slow.seconds);
                speedUp = fast.seconds > 0 ? secondsText(slow.seconds / fast.seconds) : "-";
                if (slow.value != fast.value || slow.value != counted.value ||
                    slow.nodes != counted.nodes)
                    direct += " MISMATCH";
            }
        }
        const std::string nodes = counted.finished ? std::to_string(counted.nodes) : "-";
        std::string value = valueText(fast.value);
        if (earlier != "-" && earlier != value)
            value += " CHANGED";
        std::printf(
            "%-10s %-13s %5d %16s %10s %10s %9s %9.1f %12s %12s\n", c.name.c_str(), kindName, depth,
            nodes.c_str(), direct.c_str(), secondsText(fast.seconds).c_str(), speedUp.c_str(),
            static_cast<double>(fast.peakKilobytes) / 1024.0, earlier.c_str(), value.c_str());
        std::fflush(stdout);
    }
}

void printHeader(const BenchLimits& limits)
{
    std::printf("direct engine run where nodes examined <= %lld; fast runs stopped after %u s\n",
                static_cast<long long>(limits.directNodeCap), limits.fastSecondsCap);
    std::printf("times: the fastest of %d runs where the first takes under %.0f s, else one run\n",
                runsOfShortCases, repeatBelowSeconds);
    std::printf("fast s: the run the program makes; nodes examined: counted by a separate fast "
                "run, untimed, that gives up skipping pairs by their ceilings to count them, "
                "up to the first depth past the direct engine's cap\n");
    std::printf("earlier: the value in %s, found by an earlier version of the fast engine\n",
                limits.valuesFile.c_str());
    std::printf("%-10s %-13s %5s %16s %10s %10s %9s %9s %12s %12s\n", "instance", "kind", "depth",
                "nodes examined", "direct s", "fast s", "speed-up", "peak MB", "earlier", "value");
}

BenchLimits limitsOf(int argc, char** argv)
{
    BenchLimits limits;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--max-depth")
            limits.maxDepth = std::atoi(argv[i + 1]);
        else if (option == "--direct-cap")
            limits.directNodeCap = std::atoll(argv[i + 1]);
        else if (option == "--fast-cap")
            limits.fastSecondsCap = static_cast<unsigned>(std::atoi(argv[i + 1]));
        else if (option == "--only")
            limits.only = argv[i + 1];
        else if (option == "--from")
            limits.from = argv[i + 1];
        else if (option == "--values")
            limits.valuesFile = argv[i + 1];
    }
    return limits;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--smoke") == 0) {
        BenchLimits limits;
        limits.maxDepth = 2;
        limits.fastSecondsCap = 10;
        printHeader(limits);
        const BenchCase c = generatedCase(7, 12, 3);
        benchCase(c, andor::ProblemKind::Unconstrained, limits, {});
        benchCase(c, andor::ProblemKind::Constrained, limits, {});
        return 0;
    }
    const BenchLimits limits = limitsOf(argc, argv);
    const KnownValues known = readKnownValues(limits.valuesFile);
    printHeader(limits);
    std::vector<BenchCase> cases = classicCases();
    for (int seed = 1; seed <= 4; ++seed)
        cases.push_back(
            generatedCase(static_cast<std::uint32_t>(seed), 20 + 10 * seed, 4 + 2 * seed));
    for (const BenchCase& c : cases) {
        if ((!limits.only.empty() && c.name != limits.only) ||
            (!limits.from.empty() && c.name < limits.from))
            continue;
        for (andor::ProblemKind kind :
             {andor::ProblemKind::Unconstrained, andor::ProblemKind::Constrained})
            benchCase(c, kind, limits, known);
    }
    return 0;
}
