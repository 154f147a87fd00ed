#pragma once
// What every run of the program shares: problems reported as one line, and
// the stop signals (SIGINT, SIGTERM, SIGHUP from a closed terminal, SIGQUIT)
// caught so a run can stop cleanly after the frame in progress instead of
// dying in the middle of it.

#include <string>
#include <string_view>

// Writes "brightwicket: PROBLEM" on standard error as one line, with control
// and non-ASCII bytes escaped; returns `status`.
int reportProblem(const std::string& problem, int status);

// `text` with every byte outside printable ASCII written as \xHH, so that a
// file name or value always shows on one line and cannot steer a terminal.
std::string escapedText(std::string_view text);

// From catchStopSignals() to releaseStopSignals(), the stop signals only note
// the signal; caughtStopSignal() tells which came (0: none yet). They are
// caught without restarting system calls, so a write blocked on a reader that
// stopped reading returns. A broken pipe and a file-size limit become failed
// writes instead of killing the program.
void catchStopSignals();
void releaseStopSignals();
int caughtStopSignal();
