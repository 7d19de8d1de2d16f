#pragma once

#include <string>

// Exit statuses shared by every subcommand.
inline constexpr int exitUsageOrFile = 1;
inline constexpr int exitRefused = 2;

// The decimal separator of the user's locale.
char systemDecimalSeparator();

// The separator a subcommand uses: the one given with --decimal-separator, else the locale's.
char decimalSeparatorOr(const std::string& given);
