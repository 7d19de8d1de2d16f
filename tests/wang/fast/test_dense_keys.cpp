#include "support/WangTestInstances.h"
#include "wang/fast/DenseKeys.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

namespace {

struct Usability {
    const char* name;
    int plateHeight;
    int plateLength;
    std::vector<TestPiece> pieces;
    bool usable;
};

class DenseKeysUsable : public testing::TestWithParam<Usability> {};

TEST_P(DenseKeysUsable, OnlyWhereTheKeysAreFew)
{
    const Usability& row = GetParam();
    EXPECT_EQ(wang::DenseKeys(makeInstance(row.plateHeight, row.plateLength, row.pieces)).usable(),
              row.usable);
}

INSTANTIATE_TEST_SUITE_P(
    Instances, DenseKeysUsable,
    testing::Values(
        Usability{"SmallPlateSmallDemands", 20, 49, {{2, 14, 1}, {5, 1, 1}, {4, 20, 2}}, true},
        Usability{"PieceLargerThanThePlate", 10, 10, {{500, 3, 1}}, true},
        Usability{"LargePlate", 20000, 20000, {{5, 5, 1}}, false},
        Usability{
            "ManyCountNumbers", 10, 10, {{1, 1, 99}, {1, 2, 99}, {2, 1, 99}, {2, 2, 99}}, false},
        Usability{"NegativeDemand", 10, 10, {{1, 1, -1}}, false}),
    [](const testing::TestParamInfo<Usability>& info) { return info.param.name; });

// Records joined at random within the demands: two builds share a key exactly when they have
// the same sides and the same counts, however their parts were joined.
TEST(DenseKeys, EqualKeysForEqualSidesAndCountsOnly)
{
    const problem::TInstance instance =
        makeInstance(12, 12, {{1, 2, 3}, {2, 1, 2}, {3, 3, 1}, {1, 1, 4}});
    wang::DenseKeys keys(instance);
    ASSERT_TRUE(keys.usable());
    keys.appendStartingRecords();
    std::vector<wang::TPattern> list;
    std::vector<std::vector<int>> counts;
    for (int type = 0; type < instance.pieceCount; ++type) {
        list.push_back(
            {.height = instance.pieces[type].height, .length = instance.pieces[type].length});
        counts.push_back(std::vector<int>(static_cast<std::size_t>(instance.pieceCount), 0));
        counts.back()[static_cast<std::size_t>(type)] = 1;
    }
    std::mt19937 random(11);
    std::map<std::uint64_t, std::tuple<int, int, std::vector<int>>> seen;
    int equalKeys = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::size_t q = random() % list.size();
        const std::size_t r = random() % list.size();
        std::vector<int> summed = counts[q];
        bool withinDemand = true;
        for (std::size_t t = 0; t < summed.size(); ++t) {
            summed[t] += counts[r][t];
            withinDemand = withinDemand && summed[t] <= instance.pieces[t].demand;
        }
        const wang::TPattern built{.height = 1 + static_cast<int>(random() % 2),
                                   .length = 11 + static_cast<int>(random() % 2),
                                   .kind = wang::kindHorizontal,
                                   .first = static_cast<int>(q),
                                   .second = static_cast<int>(r)};
        if (!withinDemand)
            continue;
        const std::uint64_t key = keys.keyOf(built);
        const auto shape = std::make_tuple(built.height, built.length, summed);
        const auto [at, fresh] = seen.emplace(key, shape);
        EXPECT_EQ(at->second, shape) << "key " << key;
        if (!fresh)
            ++equalKeys;
        if (list.size() < 300) {
            list.push_back(built);
            counts.push_back(summed);
            keys.append(built);
        }
    }
    // Same shapes made from different parts did meet.
    EXPECT_GT(equalKeys, 100);
    // And every shape has one key: the map of shapes to keys is as large as that of keys.
    std::map<std::tuple<int, int, std::vector<int>>, std::uint64_t> byShape;
    for (const auto& [key, shape] : seen)
        EXPECT_TRUE(byShape.emplace(shape, key).second);
}

TEST(DenseKeys, KeysOfThePassBecomeEarlierOnesWhenItEnds)
{
    wang::DenseKeys keys(makeInstance(10, 10, {{2, 3, 2}}));
    ASSERT_TRUE(keys.usable());
    const std::uint64_t key = 77;
    keys.keepInPass(key);
    EXPECT_TRUE(keys.keptInPass(key));
    EXPECT_FALSE(keys.keptBefore(key));
    EXPECT_FALSE(keys.keptInPass(key + 1));
    keys.endPass();
    EXPECT_TRUE(keys.keptBefore(key));
    EXPECT_FALSE(keys.keptInPass(key));
    EXPECT_FALSE(keys.keptBefore(key - 1));
}

} // namespace
