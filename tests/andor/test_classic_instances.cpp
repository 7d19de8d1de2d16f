#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "andor/AndOrRun.h"
#include "problem/BiFile.h"
#include "support/ClassicOptima.h"

namespace {

TEST(ClassicInstances, NoValueExceedsTheProvenOptimum)
{
    const std::filesystem::path folder = QUADRIX_INSTANCES_DIR;
    const auto optima = readClassicOptima(classicInstancesReadme());
    ASSERT_GE(optima.size(), 80u);
    andor::SolverSettings settings;
    settings.depthLimit = 2;
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".BI")
            continue;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        const auto instance = problem::readBiFile(entry.path());
        ASSERT_TRUE(instance.has_value());
        const auto known = optima.find(name);
        ASSERT_NE(known, optima.end());
        const std::pair<andor::ProblemKind, std::optional<long>> runs[] = {
            {andor::ProblemKind::Constrained, known->second.constrained},
            {andor::ProblemKind::Unconstrained, known->second.unconstrained}};
        for (const auto& [kind, optimum] : runs) {
            if (!optimum)
                continue;
            const auto run = andor::runAndOr(*instance, kind, settings);
            ASSERT_TRUE(run.has_value()) << andor::failureMessage(run.error());
            EXPECT_LE(run->value, static_cast<float>(*optimum));
            EXPECT_GT(run->value, 0.0f);
            ++checked;
        }
    }
    EXPECT_GE(checked, 150);
}

} // namespace
