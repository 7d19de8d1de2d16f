#pragma once

#include <random>

#include "problem/Instance.h"

// Random instances whose types tie in rows, columns, values and densities, for the tests of
// the tables and bounds of the fast search.
namespace typemixes {

struct TypeMix {
    const char* name;
    int types;
    int longestSide; // of a piece
    int values[4];   // drawn at random per type
};

// Few distinct sides and values, so that types tie in rows, columns, values and densities.
inline problem::TInstance randomInstance(std::mt19937& random, const TypeMix& mix, int plateSide)
{
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    problem::TInstance instance;
    instance.plateHeight = plateSide;
    instance.plateLength = plateSide - 3;
    instance.pieceCount = mix.types;
    for (int i = 0; i < mix.types; ++i)
        instance.pieces[static_cast<std::size_t>(i)] = {i + 1, pick(1, mix.longestSide),
                                                        pick(1, mix.longestSide), pick(0, 5),
                                                        mix.values[pick(0, 3)] * pick(1, 3)};
    return instance;
}

inline const TypeMix typeMixes[] = {
    {"few types", 3, 9, {1, 4, 6, 9}},
    {"many tied types", 40, 6, {2, 2, 3, 4}},
    {"types worth nothing or less", 12, 8, {0, -5, 3, 3}},
    {"the most types", 100, 20, {1, 7, 30, 90}},
};

} // namespace typemixes
