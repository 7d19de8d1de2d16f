#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace andor {

// How far a use of a node's working copy that reads need of a type reads into the node's own
// demand: need beyond the pieces already taken. Past every demand it reads them all, so it
// stops at the largest one instead of overflowing.
inline std::int32_t readingBeyondTaken(std::int32_t need, std::int32_t remaining,
                                       std::int32_t working)
{
    const std::int64_t reading = std::int64_t{need} + remaining - working;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(reading, std::numeric_limits<std::int32_t>::max()));
}

// What a solved state read of its remaining demand. Of each type it reads no more than a
// saturation: every demand that agrees with the one it was solved for, each type's cut off at
// its saturation, gives the same result.
//
// A reading holds one count per type: the demand cut off at the saturation, doubled, plus one
// where the demand was below the saturation. Such a demand serves only itself, as would a
// saturation of one more; any other serves every demand from there on. Count is the type in
// which a search packs its demands: with 16 bits readings take 16 bits too, else 64, so that
// doubling cannot overflow.
template <typename Count> struct DemandReadings {
    using Reading = std::conditional_t<sizeof(Count) == 2, Count, std::int64_t>;
    static constexpr bool narrow = sizeof(Reading) == 2;

    static void write(Reading* reading, const std::int32_t* saturation, const std::int32_t* demand,
                      std::size_t n)
    {
        for (std::size_t i = 0; i < n; ++i) {
            const std::int64_t cutOff = std::min(demand[i], saturation[i]);
            reading[i] = static_cast<Reading>(2 * cutOff + (demand[i] < saturation[i] ? 1 : 0));
        }
    }

    // True when the result of a state with this reading holds for this remaining demand.
    static bool serves(const Reading* reading, const std::int32_t* demand, std::size_t n)
    {
        if constexpr (narrow) {
            // Without a branch per type the loop runs on vectors; a reading that serves is read
            // to its end either way.
            std::int32_t differs = 0;
            for (std::size_t i = 0; i < n; ++i) {
                const std::int32_t cutOff = reading[i] >> 1;
                differs |= std::min(demand[i], cutOff + (reading[i] & 1)) ^ cutOff;
            }
            return differs == 0;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const std::int64_t cutOff = reading[i] >> 1;
            if (std::min(std::int64_t{demand[i]}, cutOff + (reading[i] & 1)) != cutOff)
                return false;
        }
        return true;
    }

    // The saturation a reading stands for.
    static std::int32_t saturationOf(Reading reading)
    {
        return static_cast<std::int32_t>((reading >> 1) + (reading & 1));
    }

    // A part found or solved for a node's working copy reads it up to the part's saturation,
    // which raises the node's saturation that far beyond the pieces taken from its own demand.
    static void raise(std::int32_t* saturation, const Reading* reading,
                      const std::int32_t* remaining, const std::int32_t* working, std::size_t n)
    {
        if constexpr (narrow) {
            // In 32 bits, so that the loop runs on vectors: a saturation and the pieces taken
            // are each below 2^16 here.
            for (std::size_t i = 0; i < n; ++i)
                saturation[i] = std::max(saturation[i], (reading[i] >> 1) + (reading[i] & 1) +
                                                            remaining[i] - working[i]);
            return;
        }
        for (std::size_t i = 0; i < n; ++i)
            saturation[i] = std::max(saturation[i], readingBeyondTaken(saturationOf(reading[i]),
                                                                       remaining[i], working[i]));
    }
};

} // namespace andor
