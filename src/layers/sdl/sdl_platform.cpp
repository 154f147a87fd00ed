#include "layers/sdl/sdl_platform.h"

#include <X11/Xlib.h>
#include <alsa/asoundlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "layers/common/exit_status.h"
#include "state/game_state.h"
#include "app/input.h"
#include "layers/common/message_address.h"
#include "layers/posix/stop_signals.h"
#include "replay/script.h"
#include "layers/sdl/key_map.h"
#include "layers/sdl/music_file.h"
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
    reportProblem(why + "; the game plays on without music", 0);
}

// Xlib's own answer to a broken display is a paragraph of text and exit(1)
// in the middle of a frame; the game ends its outputs first and says it in
// one line.
std::function<void()> displayLostAction;
bool displayFault = false;

extern "C" int onDisplayError(Display*, XErrorEvent* error)
{
    if (!displayFault)
        reportProblem("the display refused a request for a window of the game (X error " +
                          std::to_string(error->error_code) + "); the game ends",
                      exitStatus::failed);
    displayFault = true;
    return 0;
}

extern "C" int onDisplayLost(Display*)
{
    if (displayLostAction)
        displayLostAction();
    reportProblem("lost the connection to the display; the game ends", exitStatus::failed);
    _exit(exitStatus::failed);
}

// Waits poll every few milliseconds instead of sleeping in SDL's event wait:
// on X that wait answers every event it sees with a wake-up message to the
// window over a second connection, and when the window is destroyed first
// (Escape, then the shutdown) the error comes back as SDL closes that
// connection, to Xlib's handler, which ends the process with status 1.
constexpr Uint32 waitStepMs = 10;

bool isLeftButtonOn(const SDL_MouseButtonEvent& event, std::uint32_t windowId)
{
    return event.button == SDL_BUTTON_LEFT && event.windowID == windowId;
}

bool isSpaceOn(const SDL_KeyboardEvent& event, std::uint32_t windowId)
{
    return event.keysym.sym == SDLK_SPACE && event.windowID == windowId;
}

}  // namespace

SdlPlatform::SdlPlatform(bool windowedView) : windowed(windowedView) {}

SdlPlatform::~SdlPlatform()
{
    if (music != nullptr)
        Mix_FreeChunk(music);
    if (audioOpen)
        Mix_CloseAudio();
    displayLostAction = nullptr;
    destroyMainWindow();
    if (displayFault)
        menu.abandon();
    menu.destroy();
    // After a fault of the display SDL would hand the errors still on their
    // way back to Xlib's own handler as it closes: the end of the process
    // closes the connection instead.
    if (videoOpen && !displayFault) {
        pads.close();
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
    // The window's class (X11) and app id (Wayland) tie it to the desktop
    // entry brightwicket.desktop and its icon, whatever the binary is called.
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", "brightwicket", 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", "brightwicket", 0);
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
    if (driver != nullptr && SDL_strcmp(driver, "x11") == 0) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        watchDisplay();
    }
    SDL_StopTextInput();
    pads.open();
    return true;
}

void SdlPlatform::watchDisplay()
{
    displayFault = false;
    XSetErrorHandler(onDisplayError);
    XSetIOErrorHandler(onDisplayLost);
}

void SdlPlatform::setDisplayLostAction(std::function<void()> action)
{
    displayLostAction = std::move(action);
}

bool SdlPlatform::displayFailed() const
{
    return displayFault;
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

bool SdlPlatform::createMainWindow()
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
    } else {
        // Any size will do: the view follows the window (see handleOneMessage).
        flags |= SDL_WINDOW_RESIZABLE;
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
    Uint16 format = 0;
    if (Mix_QuerySpec(&mixerRate, &format, &mixerChannels) == 0 || format != AUDIO_S16SYS) {
        playingWithoutMusic("the sound device takes no 16-bit samples");
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
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
        SDL_Delay(waitStepMs);
        pumpEvents();
    }
}

void SdlPlatform::requestClose()
{
    if (closeQueued)
        return;
    closeQueued = true;
    messages.post(Message{MessageKind::close, MessageTarget::mainWindow, 0}, false);
}

void SdlPlatform::queue(const Message& message, bool repeated)
{
    if (message.kind == MessageKind::close)
        requestClose();
    else
        messages.post(message, repeated);
}

void SdlPlatform::queuePadPress(const std::optional<PadPress>& press)
{
    // While a recording plays, pads steer nothing.
    if (press && !watching)
        queue(pads.message(*press, menu.shown()), press->repeat);
}

void SdlPlatform::pumpEvents()
{
    if (displayFault)
        requestClose();
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
                else if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                    viewResized = true;
            }
            break;
        case SDL_KEYDOWN: {
            if (watching) {
                steerPlayback(event.key);
                break;
            }
            if (isSpaceOn(event.key, menu.windowId()) && menu.shown())
                menu.pressOkKey();
            Message message;
            if (messageForKey(event.key.keysym.sym, event.key.keysym.scancode, event.key.keysym.mod,
                              event.key.windowID == menu.windowId(), message))
                queue(message, event.key.repeat != 0);
            break;
        }
        case SDL_KEYUP:
            if (watching)
                steerPlayback(event.key);
            else if (isSpaceOn(event.key, menu.windowId()) && menu.releaseOkKey())
                queue(Message{MessageKind::menuOk, MessageTarget::menuDialog, 0});
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (isLeftButtonOn(event.button, menu.windowId()))
                menu.press(event.button.x, event.button.y);
            break;
        case SDL_MOUSEBUTTONUP:
            if (isLeftButtonOn(event.button, menu.windowId()) && menu.release(event.button.x, event.button.y))
                queue(Message{MessageKind::menuOk, MessageTarget::menuDialog, 0});
            break;
        default:
            // Pads play as keys; motion, text and the like
            // mean nothing here.
            if (std::optional<PadPress> press; pads.take(event, press))
                queuePadPress(press);
            break;
        }
    }
}

void SdlPlatform::watch(std::span<const ScriptEvent> events)
{
    watching = true;
    recording = ScriptPlayer(events);
}

void SdlPlatform::steerPlayback(const SDL_KeyboardEvent& key)
{
    const bool down = key.state == SDL_PRESSED;
    switch (key.keysym.sym) {
    case SDLK_ESCAPE:
        if (down)
            requestClose();
        break;
    case SDLK_F4:
        if (down && (key.keysym.mod & KMOD_ALT) != 0)
            requestClose();
        break;
    case SDLK_SPACE:
        if (down && key.repeat == 0) {
            playbackPaused = !playbackPaused;
            if (audioOpen && playbackPaused)
                Mix_PauseMusic();
            else if (audioOpen)
                Mix_ResumeMusic();
        }
        break;
    case SDLK_RIGHT:
        skimming = down;
        break;
    default:
        break;
    }
}

bool SdlPlatform::holdsPlayback() const
{
    if (!watching || closeQueued)
        return false;
    if (playbackPaused)
        return true;
    // The recording is over when its next message would end the game.
    return recording.endsGameIn(turn + 1, menu.shown());
}

void SdlPlatform::waitForControls()
{
    SDL_Delay(waitStepMs);
    pumpEvents();
}

bool SdlPlatform::nextWatchedMessage(Message& message)
{
    // A close request of the watcher's goes first: the game ends at once.
    if (closeQueued) {
        message = Message{MessageKind::close, MessageTarget::mainWindow, 0};
        return true;
    }
    recording.postUpTo(turn);
    return recording.take(message);
}

void SdlPlatform::record(MessageKind kind, std::int32_t code)
{
    if (recordFile == nullptr)
        return;
    const ScriptEvent event{static_cast<std::int32_t>(std::min(turn, maxScriptTurn)), kind, static_cast<std::uint8_t>(code)};
    recordFile->write(formatScriptEvent(event) + "\n");
    recordFile->flush();
}

void SdlPlatform::handleOneMessage(GameState& state)
{
    ++turn;
    pumpEvents();
    queuePadPress(pads.due());
    // Whatever drew the dialog, the game draws into its own context, over
    // the whole window even when the window manager resized it.
    if (window != nullptr)
        SDL_GL_MakeCurrent(window, context);
    if (viewResized && window != nullptr) {
        int width = 0, height = 0;
        SDL_GL_GetDrawableSize(window, &width, &height);
        resizeView(width, height);
        viewResized = false;
    }

    Message message;
    if (!(watching ? nextWatchedMessage(message) : messages.take(message)))
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
        const std::string problem = readMusicFile("gamesound.wav", mixerRate, mixerChannels, musicSamples);
        if (problem.empty())
            music = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(musicSamples.data()),
                                      static_cast<Uint32>(musicSamples.size() * sizeof(std::int16_t)));
        if (music == nullptr && !musicReported) {
            playingWithoutMusic("cannot play gamesound.wav: " + (problem.empty() ? sdlProblem("the mixer") : problem));
            musicReported = true;
        }
    }
    if (music != nullptr)
        Mix_PlayChannel(0, music, -1);
}

void SdlPlatform::stopMusic()
{
    if (audioOpen)
        Mix_HaltChannel(0);
}

void SdlPlatform::showMenuDialog(const char* description, const char* keyHelp)
{
    menu.show(description, keyHelp);
}

void SdlPlatform::endMenuDialog()
{
    if (displayFault)
        menu.abandon();
    else
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
               .count() +
           skimmedNs;
}

void SdlPlatform::sleepMilliseconds(std::int64_t ms)
{
    // Skimming a recording, the pause after each frame passes at once.
    if (skimming)
        skimmedNs += ms * 1'000'000;
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
