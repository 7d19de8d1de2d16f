#pragma once

#include <expected>
#include <functional>
#include <optional>
#include <string>

// The chosen subcommand with its options, run once the arguments are parsed: nothing that the
// parser does afterwards can then fail a command whose files are written. Gives the exit status.
using CommandToRun = std::function<int()>;

// Exit statuses shared by every subcommand.
inline constexpr int exitUsageOrFile = 1;
inline constexpr int exitRefused = 2;

// What the tool says when memory runs out outside a run, which has its own message for it.
inline constexpr const char* outOfMemoryMessage =
    "Memória insuficiente: o comando não pôde ser concluído.";

// The decimal separator of the user's locale; a point where the locale's is not one ASCII
// character, so that every number text stays valid UTF-8.
char systemDecimalSeparator();

// The separator a subcommand uses: the one given with --decimal-separator, else the locale's;
// the message to print when the given one cannot serve.
std::expected<char, std::string> decimalSeparatorOr(const std::optional<std::string>& given);

// The message to print when -o or --svg was given an empty name; nothing when both serve.
std::optional<std::string> emptyFileNameFault(const std::optional<std::string>& output,
                                              const std::optional<std::string>& svg);

// Holds this process's runs to the size given with --memory-limit, else to the default limit;
// the message to print when the given text is not a size.
std::optional<std::string> applyMemoryLimit(const std::optional<std::string>& given);

// Checks the options both solver commands share, in this order, and applies the memory limit:
// the decimal separator the run uses, or the message to print.
std::expected<char, std::string> acceptSharedOptions(const std::optional<std::string>& separator,
                                                     const std::optional<std::string>& output,
                                                     const std::optional<std::string>& svg,
                                                     const std::optional<std::string>& memoryLimit);

// A failed run's message, followed by the reason when the run knows one.
std::string failedRunText(const std::string& message, const std::string& reason);
