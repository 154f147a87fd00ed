#pragma once
// A script or recording named on the command line, read as any read waits:
// a FIFO until a writer comes and closes it. A stop signal ends the wait,
// and a wait of more than a second is told on standard error in one line.

#include <string>

#include "replay/script.h"

// Reads the script at `path`; needs catchStopSignals(). When a stop signal
// ended the reading, `stopStatus` is 128 + the signal and the script is
// empty; otherwise it is 0 and the script is as loadScript reads it.
Script readInputScript(const std::string& path, int& stopStatus);
