#include "layers/sdl/sdl_platform.h"

#include "app/input.h"
#include "app/run_frame.h"
#include "layers/common/message_address.h"
#include "layers/sdl/display_errors.h"
#include "layers/sdl/key_map.h"
#include "render/frame.h"
#include "state/game_state.h"
#include "window_icon.inc"  // generated at build time from the icon drawing

namespace {

constexpr int windowedWidth = 1280, windowedHeight = 720;

std::string sdlProblem(const std::string& what)
{
    return what + " (" + SDL_GetError() + ")";
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
    music.close();
    ::setDisplayLostAction(nullptr);
    destroyMainWindow();
    if (displayFailed())
        menu.abandon();
    menu.destroy();
    // After a fault of the display SDL would hand the errors still on their
    // way back to Xlib's own handler as it closes: the end of the process
    // closes the connection instead.
    if (videoOpen && !displayFailed()) {
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
    music.open();
    return true;
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
    if (press && !playback.watching())
        queue(pads.message(*press, menu.shown()), press->repeat);
}

void SdlPlatform::pumpEvents()
{
    if (displayFailed())
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
                    windowMapped = redrawWanted = true;
                else if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                    viewResized = redrawWanted = true;
            }
            break;
        case SDL_KEYDOWN: {
            if (playback.watching()) {
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
            if (playback.watching())
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

void SdlPlatform::steerPlayback(const SDL_KeyboardEvent& key)
{
    switch (playback.steer(key)) {
    case Playback::Steer::close:
        requestClose();
        break;
    case Playback::Steer::pause:
        music.pause(true);
        break;
    case Playback::Steer::resume:
        music.pause(false);
        break;
    case Playback::Steer::nothing:
        break;
    }
}

bool SdlPlatform::holdsPlayback() const
{
    // A close request of the watcher's goes first: the game ends at once.
    return !closeQueued && playback.holds(turn + 1, menu.shown());
}

void SdlPlatform::waitForControls(GameState& state)
{
    SDL_Delay(waitStepMs);
    pumpEvents();
    if (!redrawWanted || window == nullptr || closeQueued)
        return;
    redrawWanted = false;
    SDL_GL_MakeCurrent(window, context);
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    resizeView(width, height);
    viewResized = false;
    const bool beforeFirstFrame = state.glSetupStep == 3;
    redrawFrame(state, *this);
    if (beforeFirstFrame)
        prepareView(width, height);
}

bool SdlPlatform::nextWatchedMessage(Message& message)
{
    if (closeQueued) {
        message = Message{MessageKind::close, MessageTarget::mainWindow, 0};
        return true;
    }
    return playback.next(turn, message);
}

void SdlPlatform::handleOneMessage(GameState& state)
{
    ++turn;
    pumpEvents();
    redrawWanted = false;  // this turn's frame draws
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
    if (!(playback.watching() ? nextWatchedMessage(message) : messages.take(message)))
        return;
    playback.record(turn, message.kind, message.code);
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
    music.start();
}

void SdlPlatform::stopMusic()
{
    music.stop();
}

void SdlPlatform::showMenuDialog(const char* description, const char* keyHelp)
{
    menu.show(description, keyHelp);
}

void SdlPlatform::endMenuDialog()
{
    if (displayFailed())
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
    return playback.clockNanoseconds();
}

void SdlPlatform::sleepMilliseconds(std::int64_t ms)
{
    // Skimming a recording, the pause after each frame passes at once.
    playback.sleepMilliseconds(ms);
}
