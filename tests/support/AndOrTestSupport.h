#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "problem/Instance.h"

// One piece type as tests write it: height, length, value, demand.
struct PieceRow {
    std::int32_t height;
    std::int32_t length;
    std::int32_t value;
    std::int32_t demand;
};

inline problem::TInstance makeInstance(std::int32_t plateHeight, std::int32_t plateLength,
                                       std::initializer_list<PieceRow> pieces)
{
    problem::TInstance instance;
    instance.plateHeight = plateHeight;
    instance.plateLength = plateLength;
    for (const PieceRow& row : pieces) {
        problem::TPieceType& piece = instance.pieces[static_cast<std::size_t>(instance.pieceCount)];
        ++instance.pieceCount;
        piece = {instance.pieceCount, row.height, row.length, row.demand, row.value};
    }
    return instance;
}

// The plate of the worked examples: H = 10, W = 8, types 3 x 2 (6, demand 2), 4 x 5 (20, 1).
inline problem::TInstance workedExample(std::int32_t plateHeight = 10)
{
    return makeInstance(plateHeight, 8, {{3, 2, 6, 2}, {4, 5, 20, 1}});
}

// The instance in the BI layout, for failure messages that must allow a replay.
inline std::string describe(const problem::TInstance& instance)
{
    std::string text = std::to_string(instance.plateHeight) + " x " +
                       std::to_string(instance.plateLength) + ", pieces (h l v d):";
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& p = instance.pieces[static_cast<std::size_t>(i)];
        text += " (" + std::to_string(p.height) + " " + std::to_string(p.length) + " " +
                std::to_string(p.value) + " " + std::to_string(p.demand) + ")";
    }
    return text;
}
