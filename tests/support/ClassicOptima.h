#pragma once

#include "problem/Instance.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

// The known optima of one classic instance; empty where none is known.
struct ClassicOptima {
    std::optional<long> constrained;
    std::optional<long> unconstrained;
};

// The optima table of the instances README, by file name without ".BI". The columns are found
// by their headings, so the table may gain or reorder columns.
std::map<std::string, ClassicOptima> readClassicOptima(const std::filesystem::path& readme);

// The README beside the classic instances this build was configured with.
std::filesystem::path classicInstancesReadme();

// A classic instance by file name ("okp1.BI"); throws when it cannot be read.
problem::TInstance readClassicInstance(const std::string& fileName);
