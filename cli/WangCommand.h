#pragma once

#include "cli/CliSupport.h"

namespace CLI {
class App;
}

// "wang FILE.BI [--beta X] [--decimal-separator C] [--json] [-o FILE]": runs Wang's
// generation and prints its report.
void addWangCommand(CLI::App& app, CommandToRun& command);
