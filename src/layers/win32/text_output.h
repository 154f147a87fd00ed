#pragma once
// Where the program's words go. It is a GUI program, so no console window
// flashes up when it is started from Explorer; started from a console, it
// writes to that console (or to the files and pipes the console redirected
// its output to), and with no console at all a problem shows in a message box.

#include <windows.h>

#include <string>
#include <string_view>

// Finds the standard handles the program was started with, else the
// console of the process that started it. Called once, first thing.
void openTextOutput();

// Standard output as a handle for the trace (`--trace -`); null when there
// is none.
HANDLE standardOutput();

// Writes UTF-8 text on standard output; false when it could not be written.
bool writeStandardOutput(std::string_view text);

// Tells "brightwicket: PROBLEM" as one line on standard error, or in a
// message box when there is nowhere to write; returns `status`.
int reportProblem(const std::string& problem, int status);

// `text` with every control character written as \xHH, so that a file name
// or value always shows on one line.
std::string oneLine(std::string_view text);
