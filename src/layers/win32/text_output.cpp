#include "layers/win32/text_output.h"

#include <cstdio>

#include "layers/win32/wide_text.h"

namespace {

HANDLE outputHandle = nullptr;
HANDLE errorHandle = nullptr;

bool usable(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// A console takes UTF-16 so that any name shows as it is; a file or pipe
// gets the UTF-8 bytes.
bool writeTo(HANDLE handle, std::string_view text)
{
    if (!usable(handle))
        return false;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode) != 0) {
        const std::wstring wide = widened(text);
        DWORD wrote = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &wrote, nullptr) != 0;
    }
    while (!text.empty()) {
        DWORD wrote = 0;
        if (WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) == 0 || wrote == 0)
            return false;
        text.remove_prefix(wrote);
    }
    return true;
}

}  // namespace

void openTextOutput()
{
    outputHandle = GetStdHandle(STD_OUTPUT_HANDLE);
    errorHandle = GetStdHandle(STD_ERROR_HANDLE);
    if (usable(outputHandle) && usable(errorHandle))
        return;
    // Started from a console without redirection: a GUI program has no
    // handles of its own, so it borrows that console's.
    if (AttachConsole(ATTACH_PARENT_PROCESS) == 0)
        return;
    const auto console = [] {
        return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    };
    if (!usable(outputHandle))
        outputHandle = console();
    if (!usable(errorHandle))
        errorHandle = console();
}

HANDLE standardOutput()
{
    return usable(outputHandle) ? outputHandle : nullptr;
}

bool writeStandardOutput(std::string_view text)
{
    return writeTo(outputHandle, text);
}

std::string oneLine(std::string_view text)
{
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            shown += hex;
        } else {
            shown += c;
        }
    }
    return shown;
}

int reportProblem(const std::string& problem, int status)
{
    const std::string line = oneLine(problem);
    if (!writeTo(errorHandle, "brightwicket: " + line + "\n"))
        MessageBoxW(nullptr, widened(line).c_str(), L"Brightwicket", MB_OK | MB_ICONERROR);
    return status;
}
