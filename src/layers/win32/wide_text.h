#pragma once
// The game and its shared code speak UTF-8; Windows speaks UTF-16. Names
// pass between them unchanged, whatever characters they hold.

#include <string>
#include <string_view>

std::wstring widened(std::string_view utf8);
std::string narrowed(std::wstring_view utf16);

// The system's text for an error code, in one line without its full stop.
std::string systemProblem(unsigned long error);
