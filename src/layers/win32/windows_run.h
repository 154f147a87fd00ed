#pragma once
// The Windows program's two modes with options: the desktop game (the same
// command line as on Linux: --windowed, --record, --trace, --watch) and the
// headless run (--headless: a script replayed to a trace, nothing shown).

#include <windows.h>

#include <string>
#include <vector>

struct GameState;

// Returns the exit status: 0 after the game shut down (Escape, a close
// request, Alt+F4, the end of the Windows session); 1 when no window could
// be made or the trace or recording could not be written (the game plays
// on; the first failure is told at once); 2 for bad arguments, a recording
// that cannot be watched, an output that cannot be opened or that names
// another file of the run (nothing shown).
int desktopMain(GameState& state, HINSTANCE instance, int showCommand, const std::vector<std::string>& args);

// The headless run of the Linux program: --frames N, --script FILE, --trace
// FILE ('-': standard output), --no-render (nothing is ever drawn here:
// screenshots are for Linux). Returns 0 after the run, 1 when the trace could
// not be written, 2 for bad arguments, an unreadable script or an output
// that cannot be opened or names the script, 130 after Ctrl+C.
int headlessMain(const std::vector<std::string>& args);
