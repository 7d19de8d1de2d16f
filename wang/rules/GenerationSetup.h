#pragma once

#include "problem/Instance.h"
#include "problem/RunControl.h"
#include "wang/Pattern.h"
#include "wang/WangFailure.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <new>
#include <optional>
#include <vector>

namespace wang {

// Bounds on one generation, so that a runaway one ends with a reason instead of exhausting
// the machine.
struct WangOptions {
    std::size_t patternLimit = wangPatternLimit;
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
};

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
std::expected<GenerationResult, WangFailure> guardedGeneration(const problem::TInstance& instance,
                                                               Generate generate)
{
    if (const auto refusal = refuseInstance(instance))
        return std::unexpected(*refusal);
    try {
        return generate();
    } catch (const GenerationStopped& stop) {
        return std::unexpected(stop.failure);
    } catch (const std::bad_alloc&) {
        return std::unexpected(WangFailure::OutOfMemory);
    } catch (const problem::RunStopped&) {
        return std::unexpected(WangFailure::Stopped);
    }
}

} // namespace wang
