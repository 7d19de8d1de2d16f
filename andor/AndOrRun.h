#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string>

#include "andor/CutLayout.h"
#include "andor/DiscretizationSet.h"
#include "andor/SolverSettings.h"
#include "andor/fast/FastSearch.h"
#include "problem/Instance.h"

namespace andor {

// Which problem a run solves: unlimited copies, or at most each type's demand.
enum class ProblemKind { Unconstrained, Constrained };

// Why a run gave no result: a refused input, a set that could not be built, no memory or no
// room under the memory limit, or a depth limit deeper than the thread's stack allows.
enum class AndOrFailure {
    NoPieceTypes,
    ZeroDimension,
    SideTooLarge,
    NegativeDepth,
    SetBuildFailed,
    OutOfMemory,
    TooManyPieceTypes, // more than maxPieceTypes
    ValueTooLarge,     // a homogeneous filling of the plate exceeds the 32-bit range
    NegativeDemand,    // in a constrained run
    RecursionTooDeep,  // the search would overflow the stack of its thread
    Stopped,           // asked to stop through its settings' control
    MemoryLimit,       // a table of the search would take the process past its memory limit
};

// A Portuguese sentence (UTF-8) for a message box that reports the failure.
std::string failureMessage(AndOrFailure failure);

// What is known of the cause beyond failureMessage (a limit reached, memory exhausted), for a
// tool that can say more than the window's message box; empty when the message says it all.
std::string failureReason(AndOrFailure failure);

// The progress of a run in words, for a status bar or a terminal: "1234 estados resolvidos".
std::string progressText(const problem::RunProgress& progress);

// The outcome of a successful run, everything the window and the report read.
struct AndOrRun {
    TDiscretizationSet xSet, ySet;
    float value = 0.0f;
    std::array<std::int32_t, problem::maxPieceTypes> counts{};
    std::int64_t elapsedSeconds = 0;           // searchEnd - searchStart, builders not included
    CutLayout layout;                          // the pattern behind value and counts
    std::optional<std::int64_t> nodesExamined; // nodes of the direct search, when counted
};

// The reason an input is outside the model, checked before anything runs; nothing when valid.
std::optional<AndOrFailure> findInputFault(const problem::TInstance& instance, ProblemKind kind,
                                           const SolverSettings& settings);

// Validates, builds xSet then ySet for the kind, and runs the fast search.
std::expected<AndOrRun, AndOrFailure> runAndOr(const problem::TInstance& instance, ProblemKind kind,
                                               const SolverSettings& settings,
                                               NodeCounting counting = NodeCounting::Skip);

// As runAndOr with the direct node-by-node search; exponential, meant for tests.
std::expected<AndOrRun, AndOrFailure> runAndOrReference(const problem::TInstance& instance,
                                                        ProblemKind kind,
                                                        const SolverSettings& settings);

} // namespace andor
