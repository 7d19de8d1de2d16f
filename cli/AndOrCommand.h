#pragma once

#include <nlohmann/json.hpp>

#include "andor/AndOrRun.h"
#include "problem/Instance.h"

namespace CLI {
class App;
}

// The JSON object of an AND/OR run: problem kind, both sets, value, counts and time.
nlohmann::ordered_json andOrJson(const TInstance& instance, ProblemKind kind, const AndOrRun& run,
                                 char decimalSeparator);

// "andor FILE.BI [--unconstrained|--constrained] [--depth N] [--set-size N] [--symmetry]
// [--heuristics] [--lambda1 X] [--lambda2 Y] [--decimal-separator C] [--json]": runs the
// AND/OR graph approach with the run window's defaults.
void addAndOrCommand(CLI::App& app, int& exitStatus);
