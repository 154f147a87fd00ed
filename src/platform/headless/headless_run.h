#pragma once
// The headless command line: run the game from a script for a number of
// frames, optionally writing the frame trace.

#include <cstdint>
#include <string>
#include <vector>

struct HeadlessOptions {
    std::int64_t frames = 0;
    std::string scriptPath;  // empty: no key is pressed
    std::string tracePath;   // empty: no trace; "-": standard output
    bool noRender = false;
};

// Parses the arguments after the program name (including "--headless").
// Returns an empty string on success, else the problem in one line.
std::string parseHeadlessArguments(const std::vector<std::string>& args, HeadlessOptions& options);

// Runs a parsed command. Problems are reported on standard error as one line
// starting with "brightwicket: ". Returns the exit status: 0 after a normal
// run, 2 for bad input (nothing run), 1 when the trace could not be written,
// 128 + the signal number after SIGINT or SIGTERM.
int runHeadless(const HeadlessOptions& options);

// Entry point of the headless mode: parse and run.
int headlessMain(const std::vector<std::string>& args);
