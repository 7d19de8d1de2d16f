#include "cli/ShowCommand.h"

#include "problem/BiFile.h"
#include "cli/CliSupport.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

namespace {

struct ShowOptions {
    std::string file;
    bool json = false;
};

nlohmann::ordered_json instanceJson(const TInstance& instance)
{
    nlohmann::ordered_json pieces = nlohmann::ordered_json::array();
    for (int i = 0; i < instance.pieceCount; ++i) {
        const TPieceType& piece = instance.pieces[i];
        pieces.push_back({{"id", piece.id},
                          {"height", piece.height},
                          {"length", piece.length},
                          {"demand", piece.demand},
                          {"value", piece.value}});
    }
    return {{"description", instance.description},
            {"plateHeight", instance.plateHeight},
            {"plateLength", instance.plateLength},
            {"pieceCount", instance.pieceCount},
            {"pieces", pieces}};
}

void printText(const TInstance& instance)
{
    std::cout << "Descrição: " << instance.description;
    if (!instance.description.ends_with('\n'))
        std::cout << '\n';
    std::cout << "H = " << instance.plateHeight << "\nW = " << instance.plateLength
              << "\nPeças: " << instance.pieceCount << '\n';
    std::cout << "Peça nº  Valor  Altura  Comprimento  Demanda\n";
    for (int i = 0; i < instance.pieceCount; ++i) {
        const TPieceType& piece = instance.pieces[i];
        std::cout << piece.id << "  " << piece.value << "  " << piece.height << "  "
                  << piece.length << "  " << piece.demand << '\n';
    }
}

} // namespace

void addShowCommand(CLI::App& app, int& exitStatus)
{
    auto options = std::make_shared<ShowOptions>();
    CLI::App* show = app.add_subcommand("show", "Print a problem as read from a BI file");
    show->add_option("file", options->file, "BI input file")->required();
    show->add_flag("--json", options->json, "Print one JSON object");
    show->callback([options, &exitStatus] {
        const auto instance = readBiFile(options->file);
        if (!instance) {
            std::cerr << instance.error() << '\n';
            exitStatus = exitUsageOrFile;
            return;
        }
        if (options->json)
            std::cout << instanceJson(*instance).dump() << '\n';
        else
            printText(*instance);
    });
}
