#include "cli/CliMain.h"

#include "cli/AndOrCommand.h"
#include "cli/CliSupport.h"
#include "cli/ShowCommand.h"
#include "cli/WangCommand.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <new>
#include <system_error>

namespace {

// CLI11 says only that a subcommand is required when the first word is not one of them.
void reportUnknownWord(const std::string& word)
{
    std::cerr << (word.starts_with('-') ? "Opção desconhecida: " : "Comando desconhecido: ") << word
              << " (os comandos são show, andor e wang; veja --help).\n";
}

int parseAndRun(int argc, const char* const* argv)
{
    CLI::App app("Quadrix: two-dimensional guillotine cutting from the command line");
    app.require_subcommand(1);
    CommandToRun command;
    addShowCommand(app, command);
    addAndOrCommand(app, command);
    addWangCommand(app, command);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (app.get_subcommands().empty() && !app.remaining().empty()) {
            reportUnknownWord(app.remaining().front());
            return exitUsageOrFile;
        }
        // --help is a parse outcome too; it alone ends successfully.
        return app.exit(error) == 0 ? 0 : exitUsageOrFile;
    }
    return command();
}

// A full disk or a closed pipe shows only once the output is flushed.
std::error_code standardOutputFault()
{
    errno = 0;
    std::cout.flush();
    const bool written = std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (written)
        return {};
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

} // namespace

int runCli(int argc, const char* const* argv)
{
    int exitStatus = 0;
    try {
        exitStatus = parseAndRun(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << outOfMemoryMessage << '\n';
        return exitRefused;
    }
    if (const std::error_code fault = standardOutputFault(); fault && exitStatus == 0) {
        std::cerr << "Não foi possível escrever na saída padrão: " << fault.message() << ".\n";
        return exitUsageOrFile;
    }
    return exitStatus;
}
