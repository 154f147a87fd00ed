#include "layers/win32/win32_platform.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "state/game_state.h"
#include "layers/win32/performance_clock.h"
#include "layers/common/wave_header.h"
#include "layers/win32/resource_ids.h"
#include "layers/common/message_address.h"
#include "app/input.h"
#include "app/run_frame.h"
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

constexpr int windowedWidth = 1280, windowedHeight = 720;
constexpr DWORD windowedStyle = WS_OVERLAPPEDWINDOW;

// How long, after the MENU dialog closed, the layer keeps checking that the
// main window has the keyboard: the desktop may hand it on late.
constexpr int refocusCheckTurns = 60;

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance, int showCommand, bool windowed)
    : instance(instance), showCommand(showCommand), windowed(windowed)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    counterFrequency = frequency.QuadPart;
    windowsPlatform = this;
}

Win32Platform::~Win32Platform()
{
    windowsPlatform = nullptr;
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

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (windowed) {
        // The client area is 1280 x 720; the frame goes round it, the whole
        // centred on the screen as far as it fits.
        RECT frame{0, 0, windowedWidth, windowedHeight};
        AdjustWindowRectEx(&frame, windowedStyle, FALSE, 0);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        mainWindow = CreateWindowExW(0, windowClassName, windowTitle, windowedStyle,
                                     std::max(0, (screenWidth - width) / 2), std::max(0, (screenHeight - height) / 2),
                                     width, height, nullptr, nullptr, instance, nullptr);
    } else {
        mainWindow = CreateWindowExW(0, windowClassName, windowTitle, WS_POPUP, 0, 0, screenWidth, screenHeight,
                                     nullptr, nullptr, instance, nullptr);
    }
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
    if (windowed)
        prepareView(windowedWidth, windowedHeight);
    else
        prepareView(screenWidth, screenHeight);
    viewResized = false;
    return true;
}

void Win32Platform::showMainWindow()
{
    ShowWindow(mainWindow, windowed && showCommand == SW_SHOWDEFAULT ? SW_SHOWNORMAL : showCommand);
    UpdateWindow(mainWindow);
    accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_MAIN));
}

void Win32Platform::takeFirstMessage()
{
    MSG message;
    GetMessageW(&message, nullptr, 0, 0);
}

void Win32Platform::keyChanged(int code, bool down, bool repeated)
{
    if (watching) {
        if (code == VK_ESCAPE && down)
            requestClose();
        else if (code == VK_SPACE && down && !repeated) {
            playbackPaused = !playbackPaused;
            // The sound call cannot pause: the music stops and starts again.
            if (musicPlaying && playbackPaused)
                PlaySoundW(nullptr, nullptr, SND_PURGE);
            else if (musicPlaying)
                startMusic();
        } else if (code == VK_RIGHT)
            skimming = down;
        return;
    }
    if (down)
        messages.post(Message{MessageKind::keyDown, MessageTarget::mainWindow, code}, repeated);
}

void Win32Platform::requestClose()
{
    if (closeQueued)
        return;
    closeQueued = true;
    messages.post(Message{MessageKind::close, MessageTarget::mainWindow, 0}, false);
}

void Win32Platform::menuCommand(MessageKind kind)
{
    messages.post(Message{kind, MessageTarget::menuDialog, 0}, false);
}

void Win32Platform::sessionEnding()
{
    // Windows may end the process as soon as this message is answered.
    if (endSessionAction)
        endSessionAction();
    requestClose();
}

HWND Win32Platform::window() const
{
    return mainWindow;
}

bool Win32Platform::menuShown() const
{
    return menuDialog != nullptr && IsWindowVisible(menuDialog) != 0;
}

void Win32Platform::pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (TranslateAcceleratorW(message.hwnd, accelerators, &message) != 0)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Platform::watch(std::span<const ScriptEvent> events, std::int64_t endTurn)
{
    watching = true;
    recording = ScriptPlayer(events, endTurn);
}

bool Win32Platform::holdsPlayback() const
{
    if (!watching || closeQueued)
        return false;
    if (playbackPaused)
        return true;
    // The recording is over past its end line, or when its next message
    // would end the game.
    return recording.overBefore(turn + 1) || recording.endsGameIn(turn + 1, menuShown());
}

void Win32Platform::waitForControls(GameState& state)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    pumpMessages();
    if (!redrawWanted || mainWindow == nullptr || closeQueued)
        return;
    redrawWanted = false;
    RECT client{};
    GetClientRect(mainWindow, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    resizeView(client.right, client.bottom);
    viewResized = false;
    // Held before its first frame (a recording that starts with Escape), the
    // picture is drawn once and the view made ready again for that frame.
    const bool beforeFirstFrame = state.glSetupStep == glSetupStep::contextReady;
    redrawFrame(state, *this);
    if (beforeFirstFrame)
        prepareView(client.right, client.bottom);
}

void Win32Platform::record(const Message& message)
{
    if (recordFile == nullptr)
        return;
    const ScriptEvent event{static_cast<std::int32_t>(std::min(turn, maxScriptTurn)), message.kind,
                            static_cast<std::uint8_t>(message.code)};
    recordFile->write(formatScriptEvent(event) + "\n");
    recordFile->flush();
}

void Win32Platform::takeKeyboardBack()
{
    SetForegroundWindow(mainWindow);
    SetActiveWindow(mainWindow);
    SetFocus(mainWindow);
}

void Win32Platform::handleOneMessage(GameState& state)
{
    ++turn;
    pumpMessages();
    if (!watching) {
        const bool shown = menuShown();
        for (const PadPress& press : pads.poll(clockNanoseconds() / 1'000'000))
            messages.post(pads.message(press, shown), press.repeat);
    }
    // The desktop may give the keyboard to some other window a little after
    // the dialog went: it is taken back for a while.
    if (refocusTurns > 0) {
        --refocusTurns;
        if (!menuShown() && (GetForegroundWindow() != mainWindow || GetFocus() != mainWindow))
            takeKeyboardBack();
    }
    if (viewResized && mainWindow != nullptr) {
        RECT client{};
        GetClientRect(mainWindow, &client);
        // A minimised window has no area to draw into.
        if (client.right > 0 && client.bottom > 0)
            resizeView(client.right, client.bottom);
        viewResized = false;
    }
    redrawWanted = false;  // this turn's frame draws

    Message message;
    if (watching) {
        // A close request of the watcher's goes first: the game ends at once.
        if (closeQueued)
            message = Message{MessageKind::close, MessageTarget::mainWindow, 0};
        else if (recording.postUpTo(turn); !recording.take(message))
            return;
    } else if (!messages.take(message)) {
        return;
    }
    record(message);
    if (!addressMessage(message, menuShown()))
        return;
    dispatchMessage(state, *this, message);
}

void Win32Platform::presentFrame()
{
    SwapBuffers(windowDC);
}

void Win32Platform::startMusic()
{
    musicPlaying = true;
    if (musicPlays(L"gamesound.wav"))
        PlaySoundW(L"gamesound.wav", nullptr, SND_FILENAME | SND_LOOP | SND_ASYNC);
}

void Win32Platform::stopMusic()
{
    musicPlaying = false;
    PlaySoundW(nullptr, nullptr, SND_PURGE);
}

void Win32Platform::showMenuDialog(const char* description, const char* keyHelp)
{
    setMenuText(IDC_MENU_DESCRIPTION, description);
    setMenuText(IDC_MENU_KEY_HELP, keyHelp);
    // A watched recording's dialog leaves the keyboard to the watcher, who
    // steers the playback and must be able to end it.
    ShowWindow(menuDialog, watching ? SW_SHOWNOACTIVATE : SW_SHOW);
}

void Win32Platform::endMenuDialog()
{
    if (menuDialog == nullptr)
        return;
    // The main window takes the keyboard before the dialog goes, so the
    // desktop never has to pick a window to hand it to (under Wine it
    // sometimes picked none).
    if (mainWindow != nullptr && menuShown())
        takeKeyboardBack();
    EndDialog(menuDialog, 0);
}

void Win32Platform::reactivateMainWindow()
{
    // The synthetic click at (30, 30) makes sure the window really takes the
    // keyboard again; the default handler does the rest.
    SetForegroundWindow(mainWindow);
    SetFocus(mainWindow);
    SendMessageW(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, 0x001E001E);
    refocusTurns = refocusCheckTurns;
}

void Win32Platform::destroyMainWindow()
{
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(glContext);
    ReleaseDC(mainWindow, windowDC);
    DestroyWindow(mainWindow);
    mainWindow = nullptr;
}

std::int64_t Win32Platform::clockNanoseconds()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return ticksToNanoseconds(now.QuadPart, counterFrequency) + skimmedNs;
}

void Win32Platform::sleepMilliseconds(std::int64_t ms)
{
    // Skimming a recording, the pause after each frame passes at once.
    if (skimming)
        skimmedNs += ms * 1'000'000;
    else
        Sleep(static_cast<DWORD>(ms));
}
