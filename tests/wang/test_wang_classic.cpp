#include "problem/BiFile.h"
#include "support/ClassicOptima.h"
#include "support/WangTestInstances.h"
#include "wang/WangRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// Instances whose values are the piece areas, so the covered area is the value; their proven
// constrained optima come from the instances README.
const char* const areaInstances[] = {"2s",    "3s",   "W",     "A1s",   "A2s",
                                     "CHL2s", "CHL5", "STS2s", "STS4s", "Hchl3s"};

TEST(WangOnClassicInstances, BestAreaNeverBeatsTheOptimum)
{
    wang::WangOptions options;
    // Runs that would need more records than this are skipped, not failed.
    options.patternLimit = 300'000;
    const auto optima = readClassicOptima(classicInstancesReadme());
    int checked = 0;
    for (const std::string file : areaInstances) {
        SCOPED_TRACE(file);
        const auto optimum = optima.find(file);
        ASSERT_NE(optimum, optima.end());
        ASSERT_TRUE(optimum->second.constrained.has_value());
        const auto path = std::filesystem::path(QUADRIX_INSTANCES_DIR) / (file + ".BI");
        const auto instance = problem::readBiFile(path);
        ASSERT_TRUE(instance.has_value()) << path;
        for (const float beta : {0.0f, 0.005f, 0.01f}) {
            const auto run = wang::runWang(*instance, beta, options);
            if (!run && run.error() == wang::WangFailure::TooManyPatterns)
                continue;
            ASSERT_TRUE(run.has_value());
            EXPECT_LE(run->bestArea, *optimum->second.constrained) << "beta " << beta;
            // The counts, from the tree, must cover exactly the best record's area and
            // respect the demands.
            std::int64_t covered = 0;
            for (int i = 0; i < instance->pieceCount; ++i) {
                const problem::TPieceType& piece = instance->pieces[i];
                EXPECT_LE(run->counts[i], std::max(piece.demand, 0)) << "type " << i + 1;
                covered += std::int64_t{run->counts[i]} * piece.height * piece.length;
            }
            EXPECT_EQ(covered, run->bestArea) << "beta " << beta;
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);
}

} // namespace
