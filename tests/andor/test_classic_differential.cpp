#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "andor/AndOrRun.h"
#include "problem/BiFile.h"
#include "support/EngineComparison.h"

// The fast engine as the program runs it against the direct one on every classic instance.
// Real instances tie where small generated ones rarely do: types of equal value or size,
// sizes that add up to one another, fillings and cuts worth the same; which of them each
// engine keeps shows in its counts and its pattern.

namespace {

const std::filesystem::path folder = QUADRIX_INSTANCES_DIR;

// Depth 3 where the direct search takes a few tenths of a second for all eight runs of a kind
// pair; elsewhere it takes seconds to minutes.
const std::set<std::string> quickAtDepthThree = {
    "2",      "2s",     "3",      "3s",      "A1",      "A1s",     "A2s",    "CHL2",   "CHL2s",
    "CHL5",   "HH",     "Hchl8s", "OF1",     "OF2",     "W",       "cgcut1", "cgcut2", "cgcut3",
    "gcut1",  "gcut5",  "ngcut1", "ngcut10", "ngcut11", "ngcut12", "ngcut2", "ngcut3", "ngcut4",
    "ngcut5", "ngcut6", "ngcut7", "ngcut8",  "ngcut9",  "wang2",   "wang20",
};

std::vector<std::string> classicNames()
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".BI")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ClassicDifferential : public ::testing::TestWithParam<std::string> {};

TEST_P(ClassicDifferential, FastEngineMatchesTheDirectOne)
{
    const auto instance = problem::readBiFile(folder / (GetParam() + ".BI"));
    ASSERT_TRUE(instance.has_value());
    const int deepest = quickAtDepthThree.contains(GetParam()) ? 3 : 2;
    for (const andor::ProblemKind kind :
         {andor::ProblemKind::Unconstrained, andor::ProblemKind::Constrained})
        for (const bool symmetry : {false, true})
            for (const bool heuristics : {false, true})
                for (int depth = 1; depth <= deepest; ++depth) {
                    andor::SolverSettings settings; // the run window's defaults otherwise
                    settings.depthLimit = depth;
                    settings.symmetryOn = symmetry;
                    settings.heuristicsOn = heuristics;
                    SCOPED_TRACE(
                        std::string(kind == andor::ProblemKind::Constrained ? "constrained"
                                                                            : "unconstrained") +
                        ", depth " + std::to_string(depth) + (symmetry ? ", symmetry" : "") +
                        (heuristics ? ", heuristics" : ""));
                    expectSameRun(andor::runAndOr(*instance, kind, settings),
                                  andor::runAndOrReference(*instance, kind, settings), *instance);
                }
}

INSTANTIATE_TEST_SUITE_P(Classic, ClassicDifferential, ::testing::ValuesIn(classicNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

TEST(ClassicDifferentialSetup, EveryInstanceIsThere)
{
    EXPECT_GE(classicNames().size(), 80u) << folder;
    for (const std::string& name : quickAtDepthThree)
        EXPECT_TRUE(std::filesystem::exists(folder / (name + ".BI"))) << name;
}

} // namespace
