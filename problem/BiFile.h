#pragma once

#include "problem/Instance.h"

#include <expected>
#include <filesystem>
#include <string>
#include <vector>

namespace problem {

// Text of the message shown when a BI input file cannot be opened.
inline constexpr const char* biFileOpenError = "Erro ao abrir o arquivo de entrada!";

// Reads the first problem of a BI input file; the error is a message for the user.
std::expected<TInstance, std::string> readBiFile(const std::filesystem::path& path);

// Parses the bytes of a BI input file (Windows-1252) with the reading rules of readBiFile.
std::expected<TInstance, std::string> parseBiFile(std::string_view bytes);

// The lines a BI input file holds for this instance, UTF-8, without line ends.
std::vector<std::string> biFileLines(const TInstance& instance);

// Writes lines as Windows-1252 text with CR LF after each, replacing the file whole; a write that
// fails leaves the file as it was (AtomicFile).
std::expected<void, std::string> writeTextLines(const std::vector<std::string>& lines,
                                                const std::filesystem::path& path);

// Writes the instance as a BI input file.
std::expected<void, std::string> writeBiFile(const TInstance& instance,
                                             const std::filesystem::path& path);

} // namespace problem
