#include "cli/AndOrCommand.h"
#include "cli/CliSupport.h"
#include "cli/ShowCommand.h"
#include "cli/WangCommand.h"

#include <CLI/CLI.hpp>

#include <clocale>

int main(int argc, char** argv)
{
    // Reals are read and written with the decimal separator of the user's locale.
    std::setlocale(LC_ALL, "");
    CLI::App app("Quadrix: two-dimensional guillotine cutting from the command line");
    app.require_subcommand(1);
    int exitStatus = 0;
    addShowCommand(app, exitStatus);
    addAndOrCommand(app, exitStatus);
    addWangCommand(app, exitStatus);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help is a parse outcome too; it alone ends successfully.
        return app.exit(error) == 0 ? 0 : exitUsageOrFile;
    }
    return exitStatus;
}
