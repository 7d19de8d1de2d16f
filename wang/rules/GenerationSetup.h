#pragma once

#include "problem/Instance.h"
#include "problem/RunControl.h"
#include "wang/Pattern.h"
#include "wang/WangFailure.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <limits>
#include <new>
#include <optional>
#include <vector>

namespace wang {

// Bounds on one generation besides the process's memory limit, which every generation keeps
// to: a count of records (none by default) and a deadline, so that tests and benchmarks stay
// short.
struct WangOptions {
    std::size_t patternLimit = std::numeric_limits<std::size_t>::max();
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    problem::RunControl* control = nullptr; // stops the run and hears its progress, if given
};

// What a generation leaves: the pattern list in list order and the work it took.
struct GenerationResult {
    std::vector<TPattern> patterns;
    std::int64_t buildsTried = 0; // two per ordered pair of every pass
    std::int64_t buildsMade = 0;  // builds that passed every test, duplicates included
    int passes = 0;
};

// Thrown by a generation that must stop before its end.
struct GenerationStopped {
    WangFailure failure;
    GenerationReach reach{};
};

// Stops a generation, in pass `pass` with `kept` records, when taking `bytes` more would take
// the process past its memory limit.
void checkMemory(std::uint64_t bytes, int pass, std::size_t kept);

// The refusal of an instance that no generation can run on sensibly, or nothing.
std::optional<WangFailure> refuseInstance(const problem::TInstance& instance);

// The largest inner waste a build may have: the 32-bit plate area times beta, rounded to float.
float wasteLimit(std::int32_t plateHeight, std::int32_t plateLength, float beta);

// True when an inner waste, taken as a real, is above the limit (a waste equal to it passes).
bool exceedsWasteLimit(std::int32_t internalWaste, float limit);

// The starting list: one record per piece type, in table order.
std::vector<TPattern> startingList(const problem::TInstance& instance);

// Runs `generate` unless the instance is refused; a stop or exhausted memory becomes a failure.
template <typename Generate>
std::expected<GenerationResult, WangError> guardedGeneration(const problem::TInstance& instance,
                                                             Generate generate)
{
    if (const auto refusal = refuseInstance(instance))
        return std::unexpected(*refusal);
    try {
        return generate();
    } catch (const GenerationStopped& stop) {
        return std::unexpected(WangError(stop.failure, stop.reach));
    } catch (const std::bad_alloc&) {
        return std::unexpected(WangFailure::OutOfMemory);
    } catch (const problem::RunStopped&) {
        return std::unexpected(WangFailure::Stopped);
    }
}

} // namespace wang
