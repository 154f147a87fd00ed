#include "platform/sdl/sdl_platform.h"

#include <alsa/asoundlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "state/game_state.h"
#include "app/input.h"
#include "platform/message_address.h"
#include "replay/script.h"
#include "platform/sdl/key_map.h"
#include "render/frame.h"
#include "window_icon.inc"  // generated at build time from the icon drawing

namespace {

constexpr int windowedWidth = 1280, windowedHeight = 720;

std::string sdlProblem(const std::string& what)
{
    return what + " (" + SDL_GetError() + ")";
}

// ALSA reports a machine without a sound card in half a dozen lines of its
// own; the game says it once, in its own words.
extern "C" void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

void playingWithoutMusic(const std::string& why)
{
    std::fprintf(stderr, "brightwicket: %s; the game plays on without music\n", why.c_str());
}

bool isLeftButtonOn(const SDL_MouseButtonEvent& event, std::uint32_t windowId)
{
    return event.button == SDL_BUTTON_LEFT && event.windowID == windowId;
}

}  // namespace

SdlPlatform::SdlPlatform(bool windowedView, std::FILE* recordTo) : windowed(windowedView), recordFile(recordTo) {}

SdlPlatform::~SdlPlatform()
{
    if (music != nullptr)
        Mix_FreeMusic(music);
    if (audioOpen)
        Mix_CloseAudio();
    destroyMainWindow();
    menu.destroy();
    if (videoOpen) {
        SDL_EnableScreenSaver();
        SDL_Quit();
    }
}

bool SdlPlatform::openDisplay(const char* videoDriver)
{
    if (videoDriver[0] != '\0')
        SDL_SetHint(SDL_HINT_VIDEODRIVER, videoDriver);
    // Stop signals are the game's own business: a close request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_APP_NAME, "Brightwicket");
    const char* display = SDL_getenv("DISPLAY");
    const std::string named = std::string("the display") + (display != nullptr ? std::string(" ") + display : "");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        failure = sdlProblem("cannot open " + named);
        return false;
    }
    videoOpen = true;
    // Where X11 and Wayland both fail SDL falls back to drawing off screen,
    // which would play on unseen: only a driver asked for by name may do that.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if ((asked == nullptr || asked[0] == '\0') && driver != nullptr &&
        SDL_strcmp(driver, "x11") != 0 && SDL_strcmp(driver, "wayland") != 0) {
        failure = "cannot open " + named + " (only the '" + driver + "' video driver started)";
        return false;
    }
    // On X the dialog is drawn into shared memory, never through a second GL
    // renderer beside the game's context (that can leave it black). Wayland
    // has no such way and keeps SDL's own.
    if (driver != nullptr && SDL_strcmp(driver, "x11") == 0)
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_StopTextInput();
    return true;
}

void SdlPlatform::keepDisplayAwake(bool awake)
{
    if (!videoOpen)
        return;
    if (awake)
        SDL_DisableScreenSaver();
    else
        SDL_EnableScreenSaver();
}

void SdlPlatform::showCursor(bool show)
{
    cursorCounter += show ? 1 : -1;
    if (videoOpen)
        SDL_ShowCursor(cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
}

bool SdlPlatform::createMainWindow(GameState& state)
{
    if (!videoOpen)
        return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    SDL_Rect area{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, windowedWidth, windowedHeight};
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (!windowed) {
        // Exactly the primary display; the view is stretched to it.
        if (SDL_GetDisplayBounds(0, &area) != 0) {
            failure = sdlProblem("cannot read the size of the screen");
            return false;
        }
        flags |= SDL_WINDOW_BORDERLESS;
    }
    window = SDL_CreateWindow("Brightwicket", area.x, area.y, area.w, area.h, flags);
    if (window == nullptr) {
        failure = sdlProblem("cannot create the game window");
        return false;
    }
    windowId = SDL_GetWindowID(window);
    context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        failure = sdlProblem("no OpenGL context with 24-bit colour and a depth buffer for the game window");
        destroyMainWindow();
        return false;
    }
    SDL_GL_MakeCurrent(window, context);
    // The pause after each frame paces the game, not the display.
    SDL_GL_SetSwapInterval(0);

    if (SDL_Surface* icon = SDL_CreateRGBSurfaceFrom(
            const_cast<std::uint32_t*>(windowIconPixels), windowIconSize, windowIconSize, 32,
            windowIconSize * 4, 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000)) {
        SDL_SetWindowIcon(window, icon);
        SDL_FreeSurface(icon);
    }

    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    prepareView(width, height);
    state.glSetupStep = 3;

    menu.create(window);
    openAudio();
    return true;
}

void SdlPlatform::openAudio()
{
    // No sound device is no reason not to play.
    snd_lib_error_set_handler(quietAlsa);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        playingWithoutMusic(sdlProblem("no sound device"));
        return;
    }
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        // The audio subsystem stays up until SDL_Quit: shutting it down here
        // would wait for SDL's device watcher thread, about 100 ms before
        // the first frame.
        playingWithoutMusic(sdlProblem("no sound device"));
        return;
    }
    audioOpen = true;
}

void SdlPlatform::showMainWindow()
{
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
}

void SdlPlatform::takeFirstMessage()
{
    // The first message is the window being shown. Wait for it, briefly, so
    // that nothing the player does afterwards is lost.
    const Uint64 giveUp = SDL_GetTicks64() + 2000;
    pumpEvents();
    while (!windowMapped && SDL_GetTicks64() < giveUp) {
        SDL_WaitEventTimeout(nullptr, 50);
        pumpEvents();
    }
}

void SdlPlatform::requestClose()
{
    if (closeQueued)
        return;
    closeQueued = true;
    messages.pushOverNewest(Message{MessageKind::close, MessageTarget::mainWindow, 0});
}

void SdlPlatform::queue(const Message& message)
{
    if (message.kind == MessageKind::close)
        requestClose();
    else
        messages.push(message);  // a full ring drops the press, like a full queue would
}

void SdlPlatform::pumpEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_QUIT:
            queue(Message{MessageKind::close, MessageTarget::mainWindow, 0});
            break;
        case SDL_WINDOWEVENT:
            if (event.window.windowID == menu.windowId()) {
                if (event.window.event == SDL_WINDOWEVENT_CLOSE)
                    queue(Message{MessageKind::menuClose, MessageTarget::menuDialog, 0});
                else if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
                    menu.redraw();
            } else if (event.window.windowID == windowId) {
                if (event.window.event == SDL_WINDOWEVENT_CLOSE)
                    queue(Message{MessageKind::close, MessageTarget::mainWindow, 0});
                else if (event.window.event == SDL_WINDOWEVENT_SHOWN ||
                         event.window.event == SDL_WINDOWEVENT_EXPOSED)
                    windowMapped = true;
            }
            break;
        case SDL_KEYDOWN: {
            Message message;
            if (messageForKey(event.key.keysym.sym, event.key.keysym.scancode, event.key.keysym.mod,
                              event.key.windowID == menu.windowId(), message))
                queue(message);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
            if (isLeftButtonOn(event.button, menu.windowId()))
                menu.press(event.button.x, event.button.y);
            break;
        case SDL_MOUSEBUTTONUP:
            if (isLeftButtonOn(event.button, menu.windowId()) && menu.release(event.button.x, event.button.y))
                queue(Message{MessageKind::menuOk, MessageTarget::menuDialog, 0});
            break;
        default:
            break;  // motion, key releases, text and the like mean nothing here
        }
    }
}

void SdlPlatform::record(MessageKind kind, std::int32_t code)
{
    if (recordFile == nullptr)
        return;
    const std::string line = formatScriptEvent(ScriptEvent{turn, kind, code});
    std::fputs(line.c_str(), recordFile);
    std::fputc('\n', recordFile);
    std::fflush(recordFile);
}

void SdlPlatform::handleOneMessage(GameState& state)
{
    ++turn;
    pumpEvents();
    // Whatever drew the dialog, the game draws into its own context.
    if (window != nullptr)
        SDL_GL_MakeCurrent(window, context);

    Message message;
    if (!messages.pop(message))
        return;
    record(message.kind, message.code);
    // Addressed as the headless queue does it, when the message is handled.
    if (!addressMessage(message, menu.shown()))
        return;
    dispatchMessage(state, *this, message);
}

void SdlPlatform::presentFrame()
{
    SDL_GL_SwapWindow(window);
}

void SdlPlatform::startMusic()
{
    if (!audioOpen)
        return;
    // Read when first asked for, and again after a failed read, as a file
    // name is: a missing or broken file leaves the game silent.
    if (music == nullptr) {
        music = Mix_LoadMUS("gamesound.wav");
        if (music == nullptr && !musicReported) {
            playingWithoutMusic(sdlProblem("cannot play gamesound.wav"));
            musicReported = true;
        }
    }
    if (music != nullptr)
        Mix_PlayMusic(music, -1);
}

void SdlPlatform::stopMusic()
{
    if (audioOpen)
        Mix_HaltMusic();
}

void SdlPlatform::showMenuDialog(const char* description, const char* keyHelp)
{
    menu.show(description, keyHelp);
}

void SdlPlatform::endMenuDialog()
{
    menu.hide();
}

void SdlPlatform::reactivateMainWindow()
{
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
}

void SdlPlatform::destroyMainWindow()
{
    if (window == nullptr)
        return;
    if (context != nullptr) {
        SDL_GL_MakeCurrent(window, nullptr);
        SDL_GL_DeleteContext(context);
        context = nullptr;
    }
    SDL_DestroyWindow(window);
    window = nullptr;
}

std::int64_t SdlPlatform::clockNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SdlPlatform::sleepMilliseconds(std::int64_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
