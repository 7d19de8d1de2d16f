#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace shell {

// The folders searched for a library text, in order: the program's own folder (a build tree
// or a copied folder), then the data folder of the installed tree the program sits in.
std::vector<std::filesystem::path> libraryTextFolders(const std::filesystem::path& programFolder);

// The path of the first file named fileName in those folders; empty when none holds it.
std::filesystem::path findLibraryText(const std::filesystem::path& programFolder,
                                      std::string_view fileName);

} // namespace shell
