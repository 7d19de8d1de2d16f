#pragma once

#include <cstdint>

// Folds value into a running hash: the splitmix64 finaliser over the state.
inline std::uint64_t hashMix(std::uint64_t state, std::uint64_t value) {
    std::uint64_t z = state ^ (value + 0x9e3779b97f4a7c15ULL + (state << 6) + (state >> 2));
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}
