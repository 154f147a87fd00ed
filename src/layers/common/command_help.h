#pragma once
// What `brightwicket --help` and `brightwicket --version` print, the same
// whichever mode the rest of the command line would pick.

#include <string>
#include <vector>

// Usage of every mode, the keys, where the music and the documents are.
extern const char* const commandHelpText;

// "brightwicket VERSION", without a line end.
extern const char* const versionText;

// When --help or --version is among the arguments (the first of them wins),
// prints the answer on standard output, sets `status` (0, or 1 when it could
// not be written) and returns true.
bool answerHelpOrVersion(const std::vector<std::string>& args, int& status);
