#include "cli/ShowCommand.h"

#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
#include "problem/BiFile.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace {

struct ShowOptions {
    std::string file;
    bool json = false;
};

void printJson(const problem::TInstance& instance)
{
    JsonWriter json(std::cout);
    json.beginObject()
        .key("description")
        .value(instance.description)
        .key("plateHeight")
        .value(instance.plateHeight)
        .key("plateLength")
        .value(instance.plateLength)
        .key("pieceCount")
        .value(instance.pieceCount)
        .key("pieces")
        .beginArray();
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[i];
        json.beginObject()
            .key("id")
            .value(piece.id)
            .key("height")
            .value(piece.height)
            .key("length")
            .value(piece.length)
            .key("demand")
            .value(piece.demand)
            .key("value")
            .value(piece.value)
            .endObject();
    }
    json.endArray().endObject();
    std::cout << '\n';
}

void printText(const problem::TInstance& instance)
{
    std::cout << "Descrição: " << instance.description;
    if (!instance.description.ends_with('\n'))
        std::cout << '\n';
    std::cout << "H = " << instance.plateHeight << "\nW = " << instance.plateLength
              << "\nPeças: " << instance.pieceCount << '\n';
    std::cout << "Peça nº  Valor  Altura  Comprimento  Demanda\n";
    for (int i = 0; i < instance.pieceCount; ++i) {
        const problem::TPieceType& piece = instance.pieces[i];
        std::cout << piece.id << "  " << piece.value << "  " << piece.height << "  " << piece.length
                  << "  " << piece.demand << '\n';
    }
}

int runCommand(const ShowOptions& options)
{
    const auto instance = problem::readBiFile(options.file);
    if (!instance) {
        std::cerr << instance.error() << '\n';
        return exitUsageOrFile;
    }
    if (options.json)
        printJson(*instance);
    else
        printText(*instance);
    return 0;
}

} // namespace

void addShowCommand(CLI::App& app, CommandToRun& command)
{
    auto options = std::make_shared<ShowOptions>();
    CLI::App* show = app.add_subcommand("show", "Print a problem as read from a BI file");
    show->add_option("file", options->file, "BI input file")->required();
    show->add_flag("--json", options->json, "Print one JSON object");
    show->callback([options, &command] { command = [options] { return runCommand(*options); }; });
}
