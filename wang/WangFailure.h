#pragma once

#include <cstddef>
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
};

// Largest pattern list a generation may keep before it is stopped.
inline constexpr std::size_t wangPatternLimit = 4'000'000;

// The Portuguese text shown to the user for a failure.
std::string failureMessage(WangFailure failure);

} // namespace wang
