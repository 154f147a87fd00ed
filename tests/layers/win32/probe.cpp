// Looks at the game from beside it, under the same wineserver, for the Wine
// smoke test. Prints what it found and exits 0 when it holds:
//   probe menu       the MENU dialog is shown with the core's two texts; the
//                    line gives the centre of its OK button on the screen
//   probe client     the game window's client area, "WIDTHxHEIGHT LEFT TOP" on the screen
//   probe resize W H the game window resized to a client area of W x H
//   probe close      a close request to the game window (its close box)
//   probe endsession the end of the Windows session told to the game window
//   probe icons EXE  both icon groups hold every size once in 8-bit and once
//                    in 32-bit colour, each image one Windows can decode, and
//                    the About dialog's icon control is 21 x 20 dialog units

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <span>
#include <string>
#include <utility>

#include "app/input.h"
#include "layers/win32/resource_ids.h"

namespace {

template <class... Args>
int say(int status, const char* format, Args... args)
{
    std::printf(format, args...);
    return status;
}

int menu()
{
    HWND dialog = FindWindowW(L"#32770", L"MENU");
    if (dialog == nullptr || !IsWindowVisible(dialog))
        return say(1, "no MENU dialog shown\n");
    for (const auto& [control, expected] :
         {std::pair{IDC_MENU_DESCRIPTION, menuDescriptionText}, std::pair{IDC_MENU_KEY_HELP, menuKeyHelpText}}) {
        wchar_t wide[2048];
        char narrow[4096];
        GetDlgItemTextW(dialog, control, wide, 2048);
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
        if (std::strcmp(narrow, expected) != 0)
            return say(1, "control %d reads \"%s\"\n", control, narrow);
    }
    RECT ok;
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    return say(0, "ok %ld %ld\n", (ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
}

int client(HWND window)
{
    RECT area;
    POINT corner{0, 0};
    if (GetClientRect(window, &area) == 0 || ClientToScreen(window, &corner) == 0)
        return say(1, "no client area\n");
    return say(0, "%ldx%ld %ld %ld\n", area.right, area.bottom, corner.x, corner.y);
}

int resize(HWND window, int width, int height)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    const bool done = SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
    return say(done ? 0 : 1, "resized\n");
}

// As Windows ends a session: asked first, then told, and the process may
// be ended as soon as the window has answered.
int endSession(HWND window)
{
    const LRESULT agreed = SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    return say(agreed != 0 ? 0 : 1, "asked %d\n", static_cast<int>(agreed));
}

std::span<const BYTE> resource(HMODULE program, int id, int type)
{
    HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
    if (found == nullptr)
        return {};
    return {static_cast<const BYTE*>(LockResource(LoadResource(program, found))), SizeofResource(program, found)};
}

// The About dialog's SS_ICON control as compiled: its size in dialog units.
// Each item of the template starts on a DWORD: help id, styles, rectangle,
// id, then the class, here the ordinal of the static class.
bool aboutIcon(HMODULE program)
{
    const std::span<const BYTE> dialog = resource(program, IDD_ABOUT, 5);
    for (std::size_t at = 0; at + 28 <= dialog.size(); at += 4) {
        const auto* item = reinterpret_cast<const WORD*>(dialog.data() + at);
        if (item[12] == 0xFFFF && item[13] == 0x0082 && (item[4] & SS_TYPEMASK) == SS_ICON)
            return say(item[8] == 21 && item[9] == 20, "about icon %dx%d\n", short(item[8]), short(item[9]));
    }
    return say(false, "no icon in the About dialog\n");
}

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

int icons(const char* exe)
{
    HMODULE program = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (program == nullptr)
        return say(1, "cannot open %s\n", exe);
    std::set<std::pair<int, int>> every;
    for (const int side : {16, 20, 24, 32, 40, 48, 64, 128, 256})
        every.insert({{side, 8}, {side, 32}});
    bool good = true;
    for (const int group : {IDI_GAME, IDI_GAME_SMALL}) {
        const auto* directory = reinterpret_cast<const WORD*>(resource(program, group, 14).data());
        if (directory == nullptr)
            return say(1, "no icon group %d\n", group);
        std::set<std::pair<int, int>> decoded;
        std::printf("group %d:", group);
        for (const GroupEntry& entry : std::span(reinterpret_cast<const GroupEntry*>(directory + 3), directory[2])) {
            const int side = entry.width == 0 ? 256 : entry.width;
            const std::span<const BYTE> image = resource(program, entry.id, 3);
            HICON icon = image.empty() ? nullptr
                                       : CreateIconFromResourceEx(const_cast<BYTE*>(image.data()), image.size(), TRUE,
                                                                  0x00030000, side, side, LR_DEFAULTCOLOR);
            std::printf(" %d/%d%s", side, entry.bitCount, icon == nullptr ? "(bad)" : "");
            if (icon != nullptr && entry.height == entry.width)
                decoded.insert({side, entry.bitCount});
            if (icon != nullptr)
                DestroyIcon(icon);
        }
        good &= directory[2] == every.size() && decoded == every;
        std::printf("\n");
    }
    return aboutIcon(program) && good ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in \n alone, for the shell
    const std::string command = argc > 1 ? argv[1] : "";
    if (argc == 2 && command == "menu")
        return menu();
    if (argc == 3 && command == "icons")
        return icons(argv[2]);
    if (!(argc == 2 && (command == "client" || command == "close" || command == "endsession")) &&
        !(argc == 4 && command == "resize"))
        return say(2, "usage: probe menu|client|resize W H|close|endsession|icons EXE\n");
    HWND window = FindWindowW(L"BRIGHTWICKET", L"Brightwicket");
    if (window == nullptr)
        return say(1, "no game window\n");
    if (command == "client")
        return client(window);
    if (command == "resize")
        return resize(window, std::atoi(argv[2]), std::atoi(argv[3]));
    if (command == "close")
        return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : say(1, "the close request was not posted\n");
    return endSession(window);
}
