#pragma once
// The desktop game's command line, the same on every desktop the game runs
// on: play in a window, optionally recording the session as an input script
// and writing the frame trace, or watch a recording played back.

#include <string>
#include <vector>

struct DesktopOptions {
    bool windowed = false;   // a 1280 x 720 window instead of the whole screen
    std::string recordPath;  // empty: nothing recorded
    std::string tracePath;   // empty: no trace; "-": standard output
    std::string watchPath;   // empty: play; else the recording to watch
};

// Parses the arguments after the program name. Returns an empty string on
// success, else the problem in one line.
std::string parseDesktopArguments(const std::vector<std::string>& args, DesktopOptions& options);
