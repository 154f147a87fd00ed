#pragma once
// Ctrl+C or Ctrl+Break in the console the program was started from: the run
// stops cleanly after the frame in progress, as a stop signal does on Linux.

#include <windows.h>

// From now on Ctrl+C and Ctrl+Break are noted, and a close request goes to
// `window` when it is not null.
void catchStopRequests(HWND window);
// Whether one came.
bool stopRequested();
