// The main window's and the MENU dialog's procedures: they hand the few
// messages the game cares about to the layer, which queues them for the game,
// and everything else to the system's defaults.

#include <windows.h>

#include "layers/win32/resource_ids.h"
#include "layers/win32/win32_platform.h"

Win32Platform* windowsPlatform = nullptr;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (windowsPlatform == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        windowsPlatform->requestClose();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        // Bit 30: the key was already down, so this is the keyboard's repeat.
        windowsPlatform->keyChanged(static_cast<int>(wParam), message == WM_KEYDOWN, (lParam & (1L << 30)) != 0);
        return 0;
    case WM_SIZE:
        windowsPlatform->sizeChanged();
        return 0;
    case WM_PAINT:
        windowsPlatform->exposed();
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_ENDSESSION:
        if (wParam != 0)
            windowsPlatform->sessionEnding();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

namespace {

INT_PTR CALLBACK menuDialogProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    // The dialog is made before wWinMain, while there is no game yet.
    if (windowsPlatform == nullptr)
        return FALSE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
        windowsPlatform->menuCommand(MessageKind::menuOk);
    else if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)
        windowsPlatform->menuCommand(MessageKind::menuClose);
    else
        return FALSE;
    return TRUE;
}

}  // namespace

// No module handle: the template comes from the program's own resources.
HWND menuDialog =
    CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_MENU), nullptr, menuDialogProc, 0);
