// The main window's and the MENU dialog's procedures: they turn the few
// messages the game cares about into its own and hand everything else to the
// system's defaults.

#include <windows.h>

#include "app/input.h"
#include "layers/win32/resource_ids.h"
#include "layers/win32/win32_platform.h"

GameState* procedureGame = nullptr;
Platform* procedurePlatform = nullptr;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        windowProcedure(*procedureGame, *procedurePlatform,
                        {MessageKind::close, MessageTarget::mainWindow, 0});
        return 0;
    case WM_KEYDOWN:
        windowProcedure(*procedureGame, *procedurePlatform,
                        {MessageKind::keyDown, MessageTarget::mainWindow,
                         static_cast<std::int32_t>(wParam)});
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
    if (procedureGame == nullptr)
        return FALSE;
    Message menuMessage{MessageKind::other, MessageTarget::menuDialog, 0};
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
        menuMessage.kind = MessageKind::menuOk;
    else if (message == WM_SYSCOMMAND && LOWORD(wParam) == SC_CLOSE)
        menuMessage.kind = MessageKind::menuClose;
    else
        return FALSE;
    return menuDialogProcedure(*procedureGame, *procedurePlatform, menuMessage) ? TRUE : FALSE;
}

}  // namespace

// No module handle: the template comes from the program's own resources.
HWND menuDialog =
    CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_MENU), nullptr, menuDialogProc, 0);
