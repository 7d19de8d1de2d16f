#pragma once

#include "cli/CliSupport.h"

namespace CLI {
class App;
}

// "show FILE.BI [--json]": prints a problem as the BI reader reads it.
void addShowCommand(CLI::App& app, CommandToRun& command);
