#include "wang/fast/HeavyTypeClasses.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

// Random pools of records: whenever two classes share a bit, the records must break a demand
// together, or a join would be passed over that the generation needs.
TEST(HeavyTypeClasses, SharedBitsOnlyForPairsBeyondADemand)
{
    std::mt19937 random(7);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    int pairsRuledOut = 0;
    for (int round = 0; round < 40; ++round) {
        const int types = between(1, 9);
        wang::PieceCountPool::Demands demands{};
        for (int t = 0; t < types; ++t)
            demands[static_cast<std::size_t>(t)] = between(1, 3);
        wang::PieceCountPool counts(demands, types);
        const std::size_t records = 120;
        for (std::size_t i = 0; i < records; ++i) {
            std::vector<wang::PieceCountPool::Entry> entries;
            for (int t = 0; t < types; ++t)
                if (const int count = between(0, static_cast<int>(demands[t])); count > 0)
                    entries.push_back(wang::PieceCountPool::entry(
                        static_cast<std::size_t>(t), static_cast<std::uint32_t>(count)));
            counts.append(entries);
        }
        const std::size_t from = 60;
        wang::HeavyTypeClasses classes(demands);
        classes.addPartners(counts, from);
        classes.addPartners(counts, records);
        for (std::size_t a = 0; a < records; ++a)
            for (std::size_t b = from; b < records; ++b)
                if ((classes.of(a) & classes.of(b)) != 0) {
                    ++pairsRuledOut;
                    EXPECT_FALSE(counts.fitsDemand(a, b)) << "round " << round;
                }
    }
    EXPECT_GT(pairsRuledOut, 10000); // the classes did rule pairs out
}

// The bits go to the types that rule out a fair share of the pairs, the most first.
TEST(HeavyTypeClasses, BitsGoToTheTypesThatRuleOutMostPairs)
{
    wang::PieceCountPool::Demands demands{};
    const int types = 4;
    for (int t = 0; t < types; ++t)
        demands[static_cast<std::size_t>(t)] = 2;
    wang::PieceCountPool counts(demands, types);
    // Of twenty records, type 1 is heavy (2 of 2) in ten, type 0 in nine, type 2 in one: it
    // rules out too few of the pairs. Type 3 is never heavy.
    std::vector<std::size_t> heavyType(10, 1);
    heavyType.insert(heavyType.end(), 9, 0);
    heavyType.push_back(2);
    for (const std::size_t type : heavyType) {
        const wang::PieceCountPool::Entry entries[] = {wang::PieceCountPool::entry(type, 2),
                                                       wang::PieceCountPool::entry(3, 1)};
        counts.append(entries);
    }
    wang::HeavyTypeClasses classes(demands);
    classes.addPartners(counts, heavyType.size());
    EXPECT_EQ(classes.count(), 4u);
    for (std::size_t i = 0; i < heavyType.size(); ++i)
        EXPECT_EQ(classes.of(i), heavyType[i] == 1   ? 1u
                                 : heavyType[i] == 0 ? 2u
                                                     : 0u)
            << "record " << i;
}

} // namespace
