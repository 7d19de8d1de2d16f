#pragma once

#include <cstdint>
#include <string>

namespace wang {

// Why a Wang generation was refused or stopped.
enum class WangFailure {
    NoPieceTypes,
    TooManyPieceTypes,
    ZeroDimension,
    PlateDimension,
    AreaTooLarge,
    OutOfMemory,
    TooManyPatterns,
    TimeLimit,
    Stopped, // asked to stop through its options' control
    MemoryLimit,
};

// How far a generation got before it stopped: the pass it was in and the records its list
// held, and the memory limit it was held to.
struct GenerationReach {
    int pass = 0;
    std::int64_t patternsKept = 0;
    std::uint64_t memoryLimit = 0;
};

// A failure with how far the generation got, where it stopped one under way.
struct WangError {
    WangFailure failure;
    GenerationReach reach{};

    // A refusal before any pass has no reach to tell.
    WangError(WangFailure cause, GenerationReach at = {}) : failure(cause), reach(at) {}

    bool operator==(WangFailure other) const { return failure == other; }
};

// The Portuguese text shown to the user for a failure.
std::string failureMessage(WangFailure failure);

// The same text, saying how far the generation got where it ran out of room.
std::string failureMessage(const WangError& error);

} // namespace wang
