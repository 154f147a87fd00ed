#pragma once
// The desktop command line: play in a window, optionally recording the
// session as an input script and writing the frame trace, or watch a
// recording played back in the window.

#include <string>
#include <vector>

#include "layers/common/command_line.h"

// Entry point of the desktop game. Returns the exit status: 0 after the
// game shut down (Escape, a close request, a stop signal), 1 when there is no
// display or no window could be made, the trace or the recording could not
// be written (the game plays on; the first failure is told at once) or the
// display went away; 2 for bad arguments, a recording that cannot be watched
// (nothing shown), a file that cannot be opened for writing or an output
// naming another file of the run.
int desktopMain(const std::vector<std::string>& args);
