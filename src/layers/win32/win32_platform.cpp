#include "layers/win32/win32_platform.h"

#include <mmsystem.h>

#include <cstdint>
#include <iterator>

#include "state/game_state.h"
#include "layers/win32/performance_clock.h"
#include "layers/common/wave_header.h"
#include "layers/win32/resource_ids.h"
#include "render/frame.h"

namespace {

HWND mainWindow = nullptr;
HDC windowDC = nullptr;
HGLRC glContext = nullptr;
wchar_t windowTitle[100];
wchar_t windowClassName[100];

// The core's texts are UTF-8 and a few hundred characters long; the dialog
// wants UTF-16. One fixed buffer serves every call.
void setMenuText(int control, const char* text)
{
    static wchar_t wide[2048];
    if (MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, static_cast<int>(std::size(wide))) == 0)
        wide[std::size(wide) - 1] = L'\0';
    SetDlgItemTextW(menuDialog, control, wide);
}

// The sound call reads whatever file it is given, and a hostile header can
// bring it down: the music is first checked as the desktop game checks it,
// and a file that fails leaves the game silent. The call also holds the
// whole file in memory, so a file past 1 GiB stays silent too.
bool musicPlays(const wchar_t* path)
{
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool plays = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) != 0 &&
                 size.QuadPart <= (std::int64_t{1} << 30);
    if (plays) {
        const auto readAt = [file](std::uint64_t offset, unsigned char* buffer, std::size_t count) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            DWORD got = 0;
            return ReadFile(file, buffer, static_cast<DWORD>(count), &got, &at) != 0 && got == count;
        };
        WaveFacts facts;
        plays = checkWaveHeader(readAt, static_cast<std::uint64_t>(size.QuadPart), facts).empty();
    }
    CloseHandle(file);
    return plays;
}

}  // namespace

Win32Platform::Win32Platform(GameState& state, HINSTANCE instance, int showCommand)
    : instance(instance), showCommand(showCommand)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    counterFrequency = frequency.QuadPart;
    procedureGame = &state;
    procedurePlatform = this;
}

Win32Platform::~Win32Platform()
{
    procedureGame = nullptr;
    procedurePlatform = nullptr;
}

void Win32Platform::keepDisplayAwake(bool awake)
{
    SetThreadExecutionState(awake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED
                                  : ES_CONTINUOUS);
}

void Win32Platform::showCursor(bool show)
{
    ShowCursor(show ? TRUE : FALSE);
}

bool Win32Platform::createMainWindow()
{
    LoadStringW(instance, IDS_WINDOW_TITLE, windowTitle, static_cast<int>(std::size(windowTitle)));
    LoadStringW(instance, IDS_WINDOW_CLASS, windowClassName,
                static_cast<int>(std::size(windowClassName)));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_GAME));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = windowClassName;
    windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_GAME_SMALL));
    RegisterClassExW(&windowClass);

    mainWindow = CreateWindowExW(0, windowClassName, windowTitle, WS_POPUP, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                 nullptr, nullptr, instance, nullptr);
    // Without a window there is no device context to give a pixel format.
    if (mainWindow == nullptr)
        return false;

    windowDC = GetDC(mainWindow);
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof(format);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 24;
    format.cDepthBits = 32;
    SetPixelFormat(windowDC, ChoosePixelFormat(windowDC, &format), &format);
    glContext = wglCreateContext(windowDC);
    wglMakeCurrent(windowDC, glContext);
    prepareView(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return true;
}

void Win32Platform::showMainWindow()
{
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_MAIN));
}

void Win32Platform::takeFirstMessage()
{
    MSG message;
    GetMessageW(&message, nullptr, 0, 0);
}

void Win32Platform::handleOneMessage(GameState&)
{
    // The window and dialog procedures reach the game through the pointers
    // this platform set when it was made.
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)
        && TranslateAcceleratorW(message.hwnd, accelerators, &message) == 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Platform::presentFrame()
{
    SwapBuffers(windowDC);
}

void Win32Platform::startMusic()
{
    if (musicPlays(L"gamesound.wav"))
        PlaySoundW(L"gamesound.wav", nullptr, SND_FILENAME | SND_LOOP | SND_ASYNC);
}

void Win32Platform::stopMusic()
{
    PlaySoundW(nullptr, nullptr, SND_PURGE);
}

void Win32Platform::showMenuDialog(const char* description, const char* keyHelp)
{
    setMenuText(IDC_MENU_DESCRIPTION, description);
    setMenuText(IDC_MENU_KEY_HELP, keyHelp);
    ShowWindow(menuDialog, SW_SHOW);
}

void Win32Platform::endMenuDialog()
{
    if (menuDialog != nullptr)
        EndDialog(menuDialog, 0);
}

void Win32Platform::reactivateMainWindow()
{
    // The synthetic click at (30, 30) makes sure the window really takes the
    // keyboard again; the default handler does the rest.
    SetForegroundWindow(mainWindow);
    SetFocus(mainWindow);
    SendMessageW(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0x001E001E);
}

void Win32Platform::destroyMainWindow()
{
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(glContext);
    ReleaseDC(mainWindow, windowDC);
    DestroyWindow(mainWindow);
}

std::int64_t Win32Platform::clockNanoseconds()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return ticksToNanoseconds(now.QuadPart, counterFrequency);
}

void Win32Platform::sleepMilliseconds(std::int64_t ms)
{
    Sleep(static_cast<DWORD>(ms));
}
