#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "andor/AndOrRun.h"
#include "problem/BiFile.h"

namespace {

// Proven optima from the instances README: file name -> (constrained, unconstrained).
struct Optima {
    std::optional<long> constrained;
    std::optional<long> unconstrained;
};

std::optional<long> leadingNumber(const std::string& cell)
{
    std::istringstream in(cell);
    long number = 0;
    if (in >> number)
        return number;
    return std::nullopt; // "unknown"
}

std::vector<std::string> cellsOf(const std::string& row)
{
    std::vector<std::string> cells;
    std::istringstream in(row);
    std::string cell;
    while (std::getline(in, cell, '|'))
        cells.push_back(cell);
    return cells;
}

std::map<std::string, Optima> readOptima(const std::filesystem::path& readme)
{
    std::map<std::string, Optima> optima;
    std::ifstream in(readme);
    std::string row;
    while (std::getline(in, row)) {
        const auto cells = cellsOf(row);
        // | file | paper | data | n | H | W | demand | constrained | unconstrained |
        if (cells.size() < 10 || cells[1].find("file") != std::string::npos)
            continue;
        std::istringstream name(cells[1]);
        std::string file;
        name >> file;
        optima[file] = {leadingNumber(cells[8]), leadingNumber(cells[9])};
    }
    return optima;
}

TEST(ClassicInstances, NoValueExceedsTheProvenOptimum)
{
    const std::filesystem::path folder = QUADRIX_INSTANCES_DIR;
    const auto optima = readOptima(folder / "README.md");
    ASSERT_GE(optima.size(), 80u);
    SolverSettings settings;
    settings.depthLimit = 2;
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".BI")
            continue;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        const auto instance = readBiFile(entry.path());
        ASSERT_TRUE(instance.has_value());
        const auto known = optima.find(name);
        ASSERT_NE(known, optima.end());
        const std::pair<ProblemKind, std::optional<long>> runs[] = {
            {ProblemKind::Constrained, known->second.constrained},
            {ProblemKind::Unconstrained, known->second.unconstrained}};
        for (const auto& [kind, optimum] : runs) {
            if (!optimum)
                continue;
            const auto run = runAndOr(*instance, kind, settings);
            ASSERT_TRUE(run.has_value()) << failureMessage(run.error());
            EXPECT_LE(run->value, static_cast<float>(*optimum));
            EXPECT_GT(run->value, 0.0f);
            ++checked;
        }
    }
    EXPECT_GE(checked, 150);
}

} // namespace
