#include "problem/BiFile.h"
#include "wang/WangRun.h"
#include "support/WangTestInstances.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct Classic {
    const char* file;
    std::int32_t optimum; // proven constrained guillotine optimum, values = areas
};

// Instances whose values are the piece areas, so the covered area is the value.
const Classic classics[] = {
    {"2s", 2778},    {"3s", 2721},  {"W", 2721},     {"A1s", 2950},   {"A2s", 3535},
    {"CHL2s", 3279}, {"CHL5", 390}, {"STS2s", 4653}, {"STS4s", 9770}, {"Hchl3s", 12215},
};

TEST(WangOnClassicInstances, BestAreaNeverBeatsTheOptimum) {
    WangOptions options;
    // Runs that would need more records than this are skipped, not failed.
    options.patternLimit = 300'000;
    int checked = 0;
    for (const Classic& classic : classics) {
        SCOPED_TRACE(classic.file);
        const auto path =
            std::filesystem::path(QUADRIX_INSTANCES_DIR) / (std::string(classic.file) + ".BI");
        const auto instance = readBiFile(path);
        ASSERT_TRUE(instance.has_value()) << path;
        for (const float beta : {0.0f, 0.005f, 0.01f}) {
            const auto run = runWang(*instance, beta, options);
            if (!run && run.error() == WangFailure::TooManyPatterns)
                continue;
            ASSERT_TRUE(run.has_value());
            EXPECT_LE(run->bestArea, classic.optimum) << "beta " << beta;
            // The counts, from the tree, must cover exactly the best record's area and
            // respect the demands.
            std::int64_t covered = 0;
            for (int i = 0; i < instance->pieceCount; ++i) {
                const TPieceType& piece = instance->pieces[i];
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
