#pragma once
// Finding a font file on this desktop.

#include <string>

// The file of the font fontconfig picks for `pattern` (for example
// "sans-serif"), or an empty string when it knows none.
std::string findFontFile(const char* pattern);
