#pragma once
// Reads an input script or recording by a UTF-8 name that may hold any
// character (the C library's own file names are in the ANSI code page).

#include <string>

#include "replay/script.h"

Script loadScriptFile(const std::string& path);
