// Wang's generation, literal engine against fast engine, on the classic instances and on
// generated ones, with beta raised step by step until the list holds about a million records.
// Times are CPU seconds of this process (the machine may be shared), and speed-ups compare
// them. The fast engine shares its work between two threads, so its wall time, which is what
// a user waits, is printed too. Peak memory is the resident high-water mark during the fast
// run. "--beta X" runs that beta alone in place of the ladder.

#include "problem/BiFile.h"
#include "wang/WangRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

struct Settings {
    bool smoke = false;
    double directCap = 5.0; // wall seconds of the literal engine per run
    std::size_t targetRecords = 1'000'000;
    std::string filter;        // only instances whose name contains this
    std::string from;          // skip the instances listed before this one
    double fastBudget = 20.0;  // CPU seconds of a fast run above which beta stops rising
    std::optional<float> beta; // this beta alone, in place of the ladder
};

struct NamedInstance {
    std::string name;
    problem::TInstance instance;
};

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Resets the resident high-water mark; false where the kernel does not allow it.
bool resetPeakMemory()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    return static_cast<bool>(clear.flush());
}

std::optional<double> peakMemoryMiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return std::nullopt;
}

problem::TInstance generated(unsigned seed, int height, int length, int types, int maxDemand)
{
    std::mt19937 random(seed);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    problem::TInstance instance;
    instance.description = "Gerado " + std::to_string(seed);
    instance.plateHeight = height;
    instance.plateLength = length;
    instance.pieceCount = types;
    for (int i = 0; i < types; ++i) {
        const int h = between(height / 10, height / 3);
        const int l = between(length / 10, length / 3);
        instance.pieces[i] = {i + 1, h, l, between(1, maxDemand), h * l};
    }
    return instance;
}

std::vector<NamedInstance> benchInstances(const Settings& settings)
{
    std::vector<NamedInstance> all;
    if (settings.smoke) {
        problem::TInstance small = generated(1, 10, 15, 2, 2);
        small.pieces[0] = {1, 5, 10, 1, 50};
        small.pieces[1] = {2, 5, 5, 2, 25};
        all.push_back({"two-types", small});
        return all;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(QUADRIX_INSTANCES_DIR))
        if (entry.path().extension() == ".BI")
            files.push_back(entry.path());
    std::ranges::sort(files);
    for (const auto& file : files)
        if (auto instance = problem::readBiFile(file))
            all.push_back({file.stem().string(), *instance});
    all.push_back({"gen-60x80-8", generated(7, 60, 80, 8, 4)});
    all.push_back({"gen-100x100-12", generated(11, 100, 100, 12, 3)});
    all.push_back({"gen-200x150-20", generated(13, 200, 150, 20, 2)});
    std::erase_if(all, [&](const NamedInstance& item) {
        return item.name.find(settings.filter) == std::string::npos;
    });
    const auto start = std::ranges::find_if(
        all, [&](const NamedInstance& item) { return item.name == settings.from; });
    if (start != all.end())
        all.erase(all.begin(), start);
    return all;
}

struct Timed {
    std::expected<wang::WangRun, wang::WangError> run;
    double cpu;
    double wall;
};

template <typename Runner>
Timed timed(Runner runner, const problem::TInstance& instance, float beta,
            const wang::WangOptions& options)
{
    const double cpuStart = cpuSeconds();
    const auto wallStart = std::chrono::steady_clock::now();
    auto run = runner(instance, beta, options);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return {std::move(run), cpuSeconds() - cpuStart, wall};
}

// Runs one instance up the beta ladder; returns false when it should not go higher.
bool benchStep(const NamedInstance& item, float beta, const Settings& settings, bool& directDone)
{
    wang::WangOptions fastOptions;
    fastOptions.patternLimit = settings.targetRecords * 3 / 2;
    const bool peakKnown = resetPeakMemory();
    const Timed fast = timed(wang::runWang, item.instance, beta, fastOptions);
    const auto peak = peakMemoryMiB();
    if (!fast.run) {
        const std::string why =
            fast.run.error() == wang::WangFailure::TooManyPatterns
                ? "list passed " + std::to_string(fastOptions.patternLimit) + " records"
                : wang::failureMessage(fast.run.error());
        std::printf("%-16s %6.4f  fast run stopped: %s (%.2f s)\n", item.name.c_str(), beta,
                    why.c_str(), fast.cpu);
        return false;
    }
    std::string direct = "-";
    std::string speedUp = "-";
    if (!directDone) {
        wang::WangOptions directOptions;
        directOptions.deadline = std::chrono::steady_clock::now() +
                                 std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                     std::chrono::duration<double>(settings.directCap));
        const Timed reference = timed(wang::runWangReference, item.instance, beta, directOptions);
        char text[64];
        if (reference.run) {
            std::snprintf(text, sizeof text, "%.3f", reference.cpu);
            direct = text;
            if (reference.cpu >= 0.001 && fast.cpu > 0) {
                std::snprintf(text, sizeof text, "%.0fx", reference.cpu / fast.cpu);
                speedUp = text;
            }
            if (reference.run->patterns != fast.run->patterns)
                std::printf("!! %s beta %g: the engines' lists differ\n", item.name.c_str(), beta);
        } else {
            std::snprintf(text, sizeof text, ">%.0f", settings.directCap);
            direct = text;
            std::snprintf(text, sizeof text, ">%.0fx", reference.cpu / std::max(fast.cpu, 1e-6));
            speedUp = text;
            directDone = true; // higher beta only takes longer
        }
    }
    char memory[32] = "n/a";
    if (peakKnown && peak)
        std::snprintf(memory, sizeof memory, "%.0f", *peak);
    std::printf("%-16s %6.4f %6d %9zu %14lld %10s %9.3f %9.3f %9s %8s\n", item.name.c_str(), beta,
                fast.run->passes, fast.run->patterns.size(),
                static_cast<long long>(fast.run->buildsTried), direct.c_str(), fast.cpu, fast.wall,
                speedUp.c_str(), memory);
    std::fflush(stdout);
    return fast.run->patterns.size() < settings.targetRecords && fast.cpu < settings.fastBudget;
}

std::optional<Settings> parseArguments(int argc, char** argv)
{
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--smoke")
            settings.smoke = true;
        else if (arg == "--direct-cap" && i + 1 < argc)
            settings.directCap = std::stod(argv[++i]);
        else if (arg == "--records" && i + 1 < argc)
            settings.targetRecords = std::stoul(argv[++i]);
        else if (arg == "--filter" && i + 1 < argc)
            settings.filter = argv[++i];
        else if (arg == "--from" && i + 1 < argc)
            settings.from = argv[++i];
        else if (arg == "--beta" && i + 1 < argc)
            settings.beta = std::stof(argv[++i]);
        else
            return std::nullopt;
    }
    return settings;
}

} // namespace

int main(int argc, char** argv)
{
    const auto settings = parseArguments(argc, argv);
    if (!settings) {
        std::fprintf(stderr, "usage: wang_bench [--smoke] [--direct-cap SECONDS] "
                             "[--records N] [--filter NAME] [--from NAME] [--beta X]\n");
        return 1;
    }
    std::vector<float> ladder = {0.0f,  0.0025f, 0.005f, 0.01f, 0.02f, 0.03f, 0.05f,
                                 0.08f, 0.12f,   0.2f,   0.25f, 0.3f,  0.5f,  1.0f};
    if (settings->beta)
        ladder = {*settings->beta};
    std::printf(
        "direct engine stopped after %.0f s (wall clock) per run; list target %zu records\n",
        settings->directCap, settings->targetRecords);
    std::printf("%-16s %6s %6s %9s %14s %10s %9s %9s %9s %8s\n", "instance", "beta", "passes",
                "list", "builds tried", "direct s", "fast s", "fast wall", "speed-up", "peak MiB");
    for (const NamedInstance& item : benchInstances(*settings)) {
        bool directDone = false;
        for (const float beta : ladder) {
            if (!benchStep(item, beta, *settings, directDone) || settings->smoke)
                break;
        }
    }
    return 0;
}
