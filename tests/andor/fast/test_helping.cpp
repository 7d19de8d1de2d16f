#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <string>
#include <vector>

#include "andor/DiscretizationSet.h"
#include "andor/fast/FastSearch.h"
#include "problem/BiFile.h"
#include "problem/MemoryGuard.h"
#include "support/ScopedMemoryLimit.h"

// The constrained search may take the parts of its root's pairs, and of the pairs of the root's
// part it is in, from a second thread. What it finds must not depend on that: not on whether
// the thread solved them all before the search came to them, nor on which of them it got to
// while the search ran.

namespace {

struct Case {
    const char* instance;
    int depth;
    bool symmetry = false;
    bool heuristics = false;
    andor::NodeCounting counting = andor::NodeCounting::Skip;
};

struct Search {
    problem::TInstance instance;
    andor::SolverSettings settings;
    andor::TDiscretizationSet xSet;
    andor::TDiscretizationSet ySet;
    andor::NodeCounting counting = andor::NodeCounting::Skip;

    andor::SearchOutcome run(andor::Helping helping) const
    {
        return andor::fastSearchConstrained(instance, settings, xSet, ySet, counting, helping);
    }
};

Search prepare(const Case& c)
{
    Search search;
    const auto instance = problem::readBiFile(std::filesystem::path(QUADRIX_INSTANCES_DIR) /
                                              (c.instance + std::string(".BI")));
    EXPECT_TRUE(instance.has_value()) << c.instance;
    if (instance)
        search.instance = *instance;
    search.settings.depthLimit = c.depth;
    search.settings.symmetryOn = c.symmetry;
    search.settings.heuristicsOn = c.heuristics;
    search.counting = c.counting;
    EXPECT_TRUE(andor::buildXSetConstrained(search.instance, search.settings, search.xSet));
    EXPECT_TRUE(andor::buildYSetConstrained(search.instance, search.settings, search.ySet));
    return search;
}

std::string describe(const Case& c)
{
    return std::string(c.instance) + ", depth " + std::to_string(c.depth) +
           (c.symmetry ? ", symmetry" : "") + (c.heuristics ? ", heuristics" : "") +
           (c.counting == andor::NodeCounting::Count ? ", counting nodes" : "");
}

void expectSameOutcome(const andor::SearchOutcome& helped, const andor::SearchOutcome& alone)
{
    EXPECT_EQ(std::bit_cast<std::uint32_t>(helped.value),
              std::bit_cast<std::uint32_t>(alone.value));
    EXPECT_EQ(helped.counts, alone.counts);
    EXPECT_EQ(helped.layout, alone.layout);
    EXPECT_EQ(helped.nodesExamined, alone.nodesExamined);
}

} // namespace

TEST(ConstrainedHelping, PartsSolvedBeforeTheSearchChangeNothing)
{
    using andor::NodeCounting;
    const Case cases[] = {
        {"cgcut1", 4},
        {"cgcut2", 4},
        {"cgcut3", 4},
        {"wang20", 5},
        {"OF1", 4},
        {"OF2", 4, true},
        {"gcut1", 5},
        {"2s", 4},
        {"HH", 4, false, true},
        {"cgcut3", 4, true, true},
        {"wang20", 4, false, false, NodeCounting::Count},
        {"OF2", 3, false, true, NodeCounting::Count},
        {"cgcut1", 3},
    };
    int helpedSearches = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c));
        const Search search = prepare(c);
        const andor::SearchOutcome alone = search.run(andor::Helping::Never);
        const andor::SearchOutcome helped = search.run(andor::Helping::BeforeSearch);
        expectSameOutcome(helped, alone);
        // The states the search solved itself: fewer where it took parts from the thread.
        EXPECT_LE(helped.statesSolved, alone.statesSolved);
        helpedSearches += helped.statesSolved < alone.statesSolved ? 1 : 0;
    }
    EXPECT_GE(helpedSearches, 10); // the thread did solve parts that the search then took
}

// Runs long enough for the thread to start while the search runs, many times over: whatever
// the two threads' timing, the outcome stays the same.
TEST(ConstrainedHelping, PartsSolvedWhileTheSearchRunsChangeNothing)
{
    const Case cases[] = {
        {"cgcut2", 5}, {"OF1", 5}, {"wang20", 4, false, false, andor::NodeCounting::Count}};
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c));
        const Search search = prepare(c);
        const andor::SearchOutcome alone = search.run(andor::Helping::Never);
        for (int run = 0; run < 6; ++run) {
            SCOPED_TRACE("run " + std::to_string(run));
            expectSameOutcome(search.run(andor::Helping::AfterWarmUp), alone);
        }
    }
}

// The second thread leaves the memory to the search: in a process that already holds half its
// limit, it solves nothing, and the search still finds the same within the limit.
TEST(ConstrainedHelping, TheSecondThreadYieldsMemoryToTheSearch)
{
    const Search search = prepare({"cgcut2", 4});
    const andor::SearchOutcome alone = search.run(andor::Helping::Never);
    const std::vector<std::uint8_t> held(std::size_t{192} << 20, 1); // touched: resident
    const std::uint64_t resident = problem::residentBytes();
    ASSERT_GT(resident, held.size());
    // Half the limit lies below what the process holds; the other half is the search's room.
    const ScopedMemoryLimit limit(resident + resident / 2);
    const andor::SearchOutcome helped = search.run(andor::Helping::BeforeSearch);
    expectSameOutcome(helped, alone);
    EXPECT_EQ(helped.statesSolved, alone.statesSolved);
}
