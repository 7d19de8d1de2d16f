#pragma once

#include "wang/rules/GenerationSetup.h"

#include <array>
#include <cstdint>
#include <expected>
#include <string>
#include <vector>

namespace wang {

// Everything one Wang run leaves for its report, summary and count grid.
struct WangRun {
    std::vector<TPattern> patterns; // list order, pieces first
    std::size_t best = 0;           // index into patterns
    std::array<std::int32_t, problem::maxPieceTypes>
        counts{};              // of the best pattern, entry r-1 for type r
    float loss = 0;            // P = totalWaste * 100 / (H * W)
    std::int32_t bestArea = 0; // height * length - internalWaste of the best
    std::int64_t elapsedSeconds = 0;
    std::int64_t buildsTried = 0;
    std::int64_t buildsMade = 0;
    int passes = 0;
};

// The progress of a run in words, for a status bar or a terminal: the pass under way, the
// records kept and the builds tried up to the last pass; empty before the first pass.
std::string progressText(const problem::RunProgress& progress);

// Runs Wang's generation with the fast engine and picks the best pattern.
std::expected<WangRun, WangError> runWang(const problem::TInstance& instance, float beta,
                                          const WangOptions& options = {});

// The same run with the literal engine and leaf walks for the counts; for tests and benchmarks.
std::expected<WangRun, WangError> runWangReference(const problem::TInstance& instance, float beta,
                                                   const WangOptions& options = {});

} // namespace wang
