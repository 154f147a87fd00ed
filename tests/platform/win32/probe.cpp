// Looks at the running game from beside it, under the same wineserver, for
// the Wine smoke test. Prints one line and exits 0 when what it checks holds.
//   probe window   the main window's rectangle and the screen's size
//   probe menu     the MENU dialog's visibility, whether its two texts are
//                  the core's, and the centre of its OK button on the screen
//   probe icons EXE  the images of both icon groups in the program, each of
//                  which Windows must be able to decode, and the size of the
//                  About dialog's icon control in its template

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <iterator>

#include "app/input.h"
#include "platform/win32/resource_ids.h"

namespace {

bool sameText(HWND dialog, int control, const char* expected)
{
    static wchar_t wide[2048];
    static char narrow[4096];
    GetDlgItemTextW(dialog, control, wide, static_cast<int>(std::size(wide)));
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    if (std::strcmp(narrow, expected) == 0)
        return true;
    std::printf("control %d reads \"%s\"\n", control, narrow);
    return false;
}

int window()
{
    HWND main = FindWindowW(L"BRIGHTWICKET", L"Brightwicket");
    if (main == nullptr) {
        std::printf("no main window\n");
        return 1;
    }
    RECT r;
    GetWindowRect(main, &r);
    std::printf("window %ld %ld %ld %ld screen %d %d\n", r.left, r.top, r.right - r.left,
                r.bottom - r.top, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

int menu()
{
    HWND dialog = FindWindowW(L"#32770", L"MENU");
    if (dialog == nullptr) {
        std::printf("no MENU dialog\n");
        return 1;
    }
    const bool texts = sameText(dialog, IDC_MENU_DESCRIPTION, menuDescriptionText)
                       & sameText(dialog, IDC_MENU_KEY_HELP, menuKeyHelpText);
    RECT ok;
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    std::printf("menu %s texts %s ok %ld %ld\n", IsWindowVisible(dialog) ? "shown" : "hidden",
                texts ? "match" : "differ", (ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
    return texts ? 0 : 1;
}

#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved, type, count;
};
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// Skips a name-or-ordinal field of a dialog template.
const WORD* skipNameOrOrdinal(const WORD* at)
{
    if (*at == 0xFFFF)
        return at + 2;
    while (*at++ != 0) {
    }
    return at;
}

// The About dialog's SS_ICON control as compiled: its size in dialog units.
bool aboutIcon(HMODULE program)
{
    HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(IDD_ABOUT), MAKEINTRESOURCEW(5));
    if (found == nullptr) {
        std::printf("no About dialog\n");
        return false;
    }
    // An extended template: version, signature, help id, styles, the item
    // count and the rectangle, menu, class, caption, then the font. Each item
    // starts on a DWORD: help id, styles, rectangle, id, class, text, data.
    const auto* at = static_cast<const WORD*>(LockResource(LoadResource(program, found)));
    const WORD items = at[8];
    at = skipNameOrOrdinal(skipNameOrOrdinal(skipNameOrOrdinal(at + 13)));
    at = skipNameOrOrdinal(at + 3);
    for (WORD i = 0; i < items; ++i) {
        at = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR{3});
        const bool isIcon = at[12] == 0xFFFF && at[13] == 0x0082 && (at[4] & SS_TYPEMASK) == SS_ICON;
        const short width = static_cast<short>(at[8]), height = static_cast<short>(at[9]);
        at = skipNameOrOrdinal(skipNameOrOrdinal(at + 12));
        at += 1 + (*at + 1) / 2;  // the creation data's size in bytes, and the data
        if (isIcon) {
            std::printf("about icon %dx%d\n", width, height);
            return width == 21 && height == 20;
        }
    }
    std::printf("no icon in the About dialog\n");
    return false;
}

// Every size in 8-bit and 32-bit colour, the same in both groups.
int icons(const char* exe)
{
    HMODULE program = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (program == nullptr) {
        std::printf("cannot open %s\n", exe);
        return 1;
    }
    constexpr int sizes[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};
    bool good = true;
    for (const int group : {IDI_GAME, IDI_GAME_SMALL}) {
        HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(group), MAKEINTRESOURCEW(14));
        if (found == nullptr) {
            std::printf("no icon group %d\n", group);
            return 1;
        }
        const auto* header = static_cast<const GroupHeader*>(LockResource(LoadResource(program, found)));
        const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
        int seen[std::size(sizes)][2] = {};
        std::printf("group %d:", group);
        for (int i = 0; i < header->count; ++i) {
            const GroupEntry& entry = entries[i];
            const int side = entry.width == 0 ? 256 : entry.width;
            HRSRC image = FindResourceW(program, MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3));
            HICON icon = image == nullptr
                             ? nullptr
                             : CreateIconFromResourceEx(
                                   static_cast<PBYTE>(LockResource(LoadResource(program, image))),
                                   SizeofResource(program, image), TRUE, 0x00030000, side, side,
                                   LR_DEFAULTCOLOR);
            std::printf(" %d/%d%s", side, entry.bitCount, icon == nullptr ? "(bad)" : "");
            good &= icon != nullptr;
            if (icon != nullptr)
                DestroyIcon(icon);
            for (std::size_t s = 0; s < std::size(sizes); ++s)
                if (sizes[s] == side && entry.height == entry.width
                    && (entry.bitCount == 8 || entry.bitCount == 32))
                    ++seen[s][entry.bitCount == 32 ? 1 : 0];
        }
        std::printf("\n");
        good &= header->count == 2 * std::size(sizes);
        for (const auto& depths : seen)
            good &= depths[0] == 1 && depths[1] == 1;
    }
    good &= aboutIcon(program);
    return good ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "window") == 0)
        return window();
    if (argc == 2 && std::strcmp(argv[1], "menu") == 0)
        return menu();
    if (argc == 3 && std::strcmp(argv[1], "icons") == 0)
        return icons(argv[2]);
    std::printf("usage: probe window|menu|icons EXE\n");
    return 2;
}
