#pragma once
// The headless command line: run the game from a script for a number of
// frames, optionally writing the frame trace.

#include <cstdint>
#include <string>
#include <vector>

struct Screenshot {
    std::int64_t frame = 0;  // written after this frame was presented
    std::string path;
};

struct HeadlessOptions {
    std::int64_t frames = 0;
    std::string scriptPath;  // empty: no key is pressed
    std::string tracePath;   // empty: no trace; "-": standard output
    bool noRender = false;
    int width = 1920, height = 1080;  // the offscreen view
    std::vector<Screenshot> screenshots;  // in the order given
};

// Parses the arguments after the program name (including "--headless").
// Returns an empty string on success, else the problem in one line.
std::string parseHeadlessArguments(const std::vector<std::string>& args, HeadlessOptions& options);

// Runs a parsed command. Problems are reported on standard error as one line
// starting with "brightwicket: ". Returns the exit status: 0 after a normal
// run; 2 for bad input, a script or an output file that cannot be used, an
// output naming an input or another output (nothing run); 1 when the run
// could not do what was asked: no OpenGL view on this machine (nothing run),
// the trace or a screenshot could not be written (the run stops there), or
// the run ended before a screenshot's frame; 128 + the signal number after a
// stop signal (SIGINT, SIGTERM, SIGHUP, SIGQUIT), the trace then complete to
// the last frame unless its reader had stopped reading.
int runHeadless(const HeadlessOptions& options);

// Entry point of the headless mode: parse and run.
int headlessMain(const std::vector<std::string>& args);
