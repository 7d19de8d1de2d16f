#include "problem/PieceTable.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct HeaderCase {
    const char* name;
    const char* height;
    const char* length;
    const char* count;
    problem::HeaderFault fault;
    // What the instance holds afterwards; it started as 1, 2, 3.
    std::int32_t plateHeight;
    std::int32_t plateLength;
    std::int32_t pieceCount;
};

class HeaderTexts : public testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderTexts, StoresFieldsInOrderUntilTheFirstFault)
{
    const HeaderCase& c = GetParam();
    problem::TInstance instance;
    instance.plateHeight = 1;
    instance.plateLength = 2;
    instance.pieceCount = 3;
    EXPECT_EQ(problem::applyHeaderTexts(instance, c.height, c.length, c.count), c.fault);
    EXPECT_EQ(instance.plateHeight, c.plateHeight);
    EXPECT_EQ(instance.plateLength, c.plateLength);
    EXPECT_EQ(instance.pieceCount, c.pieceCount);
}

INSTANTIATE_TEST_SUITE_P(
    Editor, HeaderTexts,
    testing::Values(
        HeaderCase{"AllValid", "100", "200", "2", problem::HeaderFault::None, 100, 200, 2},
        HeaderCase{"LeadingBlankAccepted", " 12", "7", "1", problem::HeaderFault::None, 12, 7, 1},
        HeaderCase{"TrailingBlankRefused", "12 ", "7", "1", problem::HeaderFault::Height, 1, 2, 3},
        HeaderCase{"HeightNotANumber", "abc", "x", "y", problem::HeaderFault::Height, 1, 2, 3},
        HeaderCase{"LengthFailsHeightKept", "40", "3,5", "1", problem::HeaderFault::Length, 40, 2,
                   3},
        HeaderCase{"CountFailsBothKept", "40", "50", "", problem::HeaderFault::Count, 40, 50, 3},
        HeaderCase{"HexadecimalAccepted", "$10", "0x20", "x3", problem::HeaderFault::None, 16, 32,
                   3},
        HeaderCase{"CountAtCapacity", "10", "10", "100", problem::HeaderFault::None, 10, 10, 100},
        HeaderCase{"CountAboveCapacityNotStored", "10", "10", "101",
                   problem::HeaderFault::CountAboveCapacity, 10, 10, 3},
        HeaderCase{"NegativeCountAccepted", "10", "10", "-4", problem::HeaderFault::None, 10, 10,
                   -4}),
    [](const auto& info) { return info.param.name; });

struct RowsCase {
    const char* name;
    std::vector<problem::PieceRowTexts> rows;
    // Empty when the rows are refused.
    std::optional<std::vector<problem::TPieceType>> pieces;
};

class PieceRows : public testing::TestWithParam<RowsCase> {};

TEST_P(PieceRows, ConvertOrRefuse)
{
    EXPECT_EQ(problem::piecesFromRows(GetParam().rows), GetParam().pieces);
}

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Editor, PieceRows,
    testing::Values(
        RowsCase{"NoRows", {}, std::vector<problem::TPieceType>{}},
        RowsCase{"TwoRowsNumberedInOrder",
                 {{"30", "10", "20", "2"}, {"50", "25", "15", "1"}},
                 std::vector<problem::TPieceType>{{1, 10, 20, 2, 30}, {2, 25, 15, 1, 50}}},
        RowsCase{"EmptyValueIsArea",
                 {{"", "3", "4", "1"}},
                 std::vector<problem::TPieceType>{{1, 3, 4, 1, 12}}},
        RowsCase{"BlankValueRefused", {{" ", "3", "4", "1"}}, std::nullopt},
        RowsCase{"EmptyValueWithBadHeightRefused", {{"", "a", "4", "1"}}, std::nullopt},
        RowsCase{"EmptyDemandRefused", {{"5", "3", "4", ""}}, std::nullopt},
        RowsCase{
            "LaterBadRowRefusesAll", {{"5", "3", "4", "1"}, {"5", "3", "4", "1 "}}, std::nullopt},
        RowsCase{"AreaWrapsLikeThirtyTwoBits",
                 {{"", "65536", "65536", "1"}},
                 std::vector<problem::TPieceType>{{1, 65536, 65536, 1, 0}}},
        RowsCase{"AreaWrapsToNegative",
                 {{"", "2147483647", "2", "1"}},
                 std::vector<problem::TPieceType>{{1, int32Max, 2, 1, -2}}},
        RowsCase{"NegativeNumbersKept",
                 {{"-5", "-3", "4", "-1"}},
                 std::vector<problem::TPieceType>{{1, -3, 4, -1, -5}}}),
    [](const auto& info) { return info.param.name; });

} // namespace
