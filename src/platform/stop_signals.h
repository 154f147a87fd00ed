#pragma once
// What every run of the program shares: problems reported as one line, and
// SIGINT/SIGTERM caught so a run can stop cleanly after the frame in
// progress instead of dying in the middle of it.

#include <string>

// Writes "brightwicket: PROBLEM" on standard error; returns `status`.
int reportProblem(const std::string& problem, int status);

// From catchStopSignals() to releaseStopSignals(), SIGINT and SIGTERM only
// note the signal; caughtStopSignal() tells which came (0: none yet).
void catchStopSignals();
void releaseStopSignals();
int caughtStopSignal();
