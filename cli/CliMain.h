#pragma once

// The whole command-line tool: parses the arguments, runs the subcommand and returns the exit
// status. Every failure, memory running out included, ends as a message on standard error and a
// non-zero status; the caller sets the locale.
int runCli(int argc, const char* const* argv);
