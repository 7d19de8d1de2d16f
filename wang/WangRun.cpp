#include "wang/WangRun.h"

#include "problem/Int32Arithmetic.h"
#include "wang/BestPattern.h"
#include "wang/fast/FastGenerator.h"
#include "wang/reference/ReferenceGenerator.h"

#include <chrono>

namespace wang {

namespace {

using Generator = std::expected<GenerationResult, WangError> (*)(const problem::TInstance&, float,
                                                                 const WangOptions&);
using Counter = std::array<std::int32_t, problem::maxPieceTypes> (*)(const std::vector<TPattern>&,
                                                                     std::size_t, int);

// Calendar time in whole seconds, as the elapsed time of a run is read.
std::int64_t calendarSeconds()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::floor<std::chrono::seconds>(now).count();
}

std::expected<WangRun, WangError> runWith(Generator generate, Counter count,
                                          const problem::TInstance& instance, float beta,
                                          const WangOptions& options)
{
    const std::int64_t start = calendarSeconds();
    auto generated = generate(instance, beta, options);
    const std::int64_t end = calendarSeconds();
    if (!generated)
        return std::unexpected(generated.error());
    const std::int32_t plateArea = problem::mul32(instance.plateHeight, instance.plateLength);
    WangRun run;
    run.patterns = std::move(generated->patterns);
    run.best = bestPattern(run.patterns, plateArea);
    // Only an empty list has no best record, and such instances are refused before.
    if (run.best == run.patterns.size())
        return std::unexpected(WangFailure::NoPieceTypes);
    const TPattern& best = run.patterns[run.best];
    run.counts = count(run.patterns, run.best, instance.pieceCount);
    run.loss = lossPercent(best.totalWaste, plateArea);
    run.bestArea = coveredArea(best);
    run.elapsedSeconds = end - start;
    run.buildsTried = generated->buildsTried;
    run.buildsMade = generated->buildsMade;
    run.passes = generated->passes;
    return run;
}

} // namespace

std::string progressText(const problem::RunProgress& progress)
{
    if (progress.pass == 0)
        return {};
    return "passo " + std::to_string(progress.pass) + " · " + std::to_string(progress.recordsKept) +
           " padrões · " + std::to_string(progress.buildsTried) + " construções tentadas";
}

std::expected<WangRun, WangError> runWang(const problem::TInstance& instance, float beta,
                                          const WangOptions& options)
{
    return runWith(generatePatterns, countBestPattern, instance, beta, options);
}

std::expected<WangRun, WangError> runWangReference(const problem::TInstance& instance, float beta,
                                                   const WangOptions& options)
{
    return runWith(generatePatternsReference, countLeaves, instance, beta, options);
}

} // namespace wang
