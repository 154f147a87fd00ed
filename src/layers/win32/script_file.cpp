#include "layers/win32/script_file.h"

#include <windows.h>

#include "layers/win32/wide_text.h"

Script loadScriptFile(const std::string& path)
{
    Script script;
    const HANDLE file = CreateFileW(widened(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        script.error = "cannot read script " + path + ": " + systemProblem(GetLastError());
        return script;
    }
    std::string text;
    char chunk[65536];
    DWORD got = 0;
    bool read = true;
    // A file of more lines than a script may hold is refused by the parser
    // on its first line too many: no need to read past that.
    while ((read = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != 0) && got > 0 &&
           text.size() < (maxScriptEvents + 1) * (maxScriptLine + 1))
        text.append(chunk, got);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!read) {
        script.error = "cannot read script " + path + ": " + systemProblem(error);
        return script;
    }
    return parseScript(text, path);
}
