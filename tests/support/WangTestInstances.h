#pragma once

#include "problem/Instance.h"
#include "wang/Pattern.h"

#include <string>
#include <vector>

// A piece type as tests write it: height, length, demand.
struct TestPiece {
    int height;
    int length;
    int demand;
};

// An instance with the given plate and piece types; value = area (wrapped to 32 bits).
problem::TInstance makeInstance(int plateHeight, int plateLength,
                                const std::vector<TestPiece>& pieces);

// A one-line text of an instance, for failure messages.
std::string describe(const problem::TInstance& instance);

// The ids of a pattern list, in list order.
std::vector<int> idsOf(const std::vector<wang::TPattern>& patterns);
