#pragma once

#include "cli/CliSupport.h"

#include <ostream>

#include "andor/AndOrRun.h"
#include "problem/Instance.h"

namespace CLI {
class App;
}

// Writes the JSON object of an AND/OR run on one line: problem kind, both sets, value, counts
// and time.
void writeAndOrJson(std::ostream& out, const problem::TInstance& instance, andor::ProblemKind kind,
                    const andor::AndOrRun& run, char decimalSeparator);

// "andor FILE.BI [--unconstrained|--constrained] [--depth N] [--set-size N] [--symmetry]
// [--heuristics] [--lambda1 X] [--lambda2 Y] [--decimal-separator C] [--json]": runs the
// AND/OR graph approach with the run window's defaults.
void addAndOrCommand(CLI::App& app, CommandToRun& command);
