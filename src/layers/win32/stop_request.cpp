#include "layers/win32/stop_request.h"

#include <atomic>

namespace {

std::atomic<bool> requested{false};
std::atomic<HWND> closeWindow{nullptr};

// Runs on a thread of its own: only the flag and a posted message cross.
BOOL WINAPI onConsoleControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    requested = true;
    if (const HWND window = closeWindow.load())
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

void catchStopRequests(HWND window)
{
    closeWindow = window;
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

bool stopRequested()
{
    return requested;
}
