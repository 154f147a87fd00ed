#include "layers/web/web_platform.h"

#include <SDL/SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "state/game_state.h"
#include "app/input.h"
#include "layers/common/message_address.h"
#include "render/frame.h"

// What the page does for the layer (index.html defines Module.page).
EM_JS(void, pageKeepAwake, (int awake), { Module.page.keepAwake(!!awake); });
EM_JS(void, pageShowCursor, (int shown), { Module.page.showCursor(!!shown); });
EM_JS(void, pageShowMenu, (const char* description, const char* keyHelp),
      { Module.page.showMenu(UTF8ToString(description), UTF8ToString(keyHelp)); });
EM_JS(void, pageHideMenu, (), { Module.page.hideMenu(); });
EM_JS(void, pageFocusGame, (), { Module.page.focusGame(); });
EM_JS(void, pageStartMusic, (), { Module.page.startMusic(); });
EM_JS(void, pageStopMusic, (), { Module.page.stopMusic(); });
EM_JS(void, pageFirstFrame, (), { Module.page.firstFrame(); });
EM_JS(void, pageHideGame, (), { Module.page.hideGame(); });
EM_JS(void, pageNoWebGL, (), { Module.page.noWebGL(); });
EM_JS(int, pageHasContext, (), { return typeof GLctx == 'object' && GLctx ? 1 : 0; });
EM_JS(void, pagePadUsed, (), { Module.page.padUsed(); });
// The canvas's size as the page lays it out, in device pixels.
EM_JS(int, pageViewWidth, (), { return Module.page.viewWidth(); });
EM_JS(int, pageViewHeight, (), { return Module.page.viewHeight(); });

namespace {

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void* platform)
{
    const BrowserKey key{event->key, event->code, event->altKey != 0};
    return static_cast<WebPlatform*>(platform)->pressKey(key, event->ctrlKey != 0 || event->metaKey != 0,
                                                         event->repeat != 0);
}

// The standard gamepad layout's button numbers of the buttons the game uses.
constexpr std::pair<int, PadButton> standardButtons[] = {
    {0, PadButton::south}, {1, PadButton::east}, {2, PadButton::west}, {3, PadButton::north},
    {8, PadButton::back}, {9, PadButton::start}, {4, PadButton::leftShoulder},
    {12, PadButton::dpadUp}, {13, PadButton::dpadDown}, {14, PadButton::dpadLeft}, {15, PadButton::dpadRight},
};

// An axis of the Gamepad API, -1..1, on SDL's scale as PadKeys takes it.
int stickAxis(double value)
{
    return static_cast<int>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
}

bool isGameKey(int code)
{
    switch (code) {
    case vk::enter: case vk::escape: case vk::left: case vk::up: case vk::right: case vk::down:
    case vk::a: case vk::m: case vk::p: case vk::r: case vk::s: case vk::z:
        return true;
    default:
        return false;
    }
}

}  // namespace

void WebPlatform::watch(std::vector<ScriptEvent> events, std::int64_t endTurn)
{
    script = std::move(events);
    player = ScriptPlayer(script, endTurn);
    watched = true;
}

void WebPlatform::queue(const Message& message, bool repeated)
{
    messages.post(message, repeated);
}

bool WebPlatform::pressKey(const BrowserKey& key, bool ctrlOrMeta, bool repeated)
{
    Message message;
    if (watched && windowMade && !ctrlOrMeta && key.key == "Escape") {
        stopRequested = true;
        return true;
    }
    if (watched || !windowMade || !messageForKey(key, menuShown, message))
        return false;
    queue(message, repeated);
    // Browsers start sound only after a gesture: this is one.
    EM_ASM({ Module.page.unblockMusic(); });
    // Shortcuts of the browser stay its own; while the dialog is shown every
    // key is its (Enter does not press OK).
    return !ctrlOrMeta && message.kind == MessageKind::keyDown &&
           (menuShown || isGameKey(message.code));
}

void WebPlatform::pressMenuButton(bool closeBox)
{
    if (!watched && windowMade)
        queue(Message{closeBox ? MessageKind::menuClose : MessageKind::menuOk, MessageTarget::menuDialog, 0});
}

void WebPlatform::postPad(const std::optional<PadPress>& press)
{
    // As on the desktop, South or Start presses the MENU dialog's OK.
    if (press)
        queue(padKeys.message(*press, menuShown), press->repeat);
}

void WebPlatform::touchButton(PadButton button, bool down)
{
    if (watched || !windowMade)
        return;
    postPad(padKeys.button(touchPad, button, down, static_cast<std::int64_t>(emscripten_get_now())));
    EM_ASM({ Module.page.unblockMusic(); });
}

void WebPlatform::touchDirection(double x, double y)
{
    if (watched || !windowMade)
        return;
    postPad(padKeys.stick(touchPad, stickAxis(x), stickAxis(y), static_cast<std::int64_t>(emscripten_get_now())));
    EM_ASM({ Module.page.unblockMusic(); });
}

void WebPlatform::setHidden(bool hide)
{
    pageHidden = hide;
    // A hidden page hears no touch end: nothing stays held across it.
    if (hide)
        padKeys.drop(touchPad, static_cast<std::int64_t>(emscripten_get_now()));
}

void WebPlatform::pollGamepads(std::int64_t ms)
{
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS)
        return;
    // The browser keeps the pads' state, not their changes: each poll tells
    // PadKeys all of it, and it makes key-downs of what went down.
    bool pressed = false;
    const auto post = [&](const std::optional<PadPress>& press) {
        pressed = pressed || press.has_value();
        postPad(press);
    };
    std::uint32_t seen = 0;
    EmscriptenGamepadEvent pad;
    for (int i = 0, count = std::min(emscripten_get_num_gamepads(), 32); i < count; ++i) {
        // Only the standard layout says which button is which.
        if (emscripten_get_gamepad_status(i, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected ||
            std::strcmp(pad.mapping, "standard") != 0)
            continue;
        seen |= 1u << i;
        for (const auto& [number, button] : standardButtons)
            post(padKeys.button(i, button, number < pad.numButtons && pad.digitalButton[number], ms));
        if (pad.numAxes >= 2)
            post(padKeys.stick(i, stickAxis(pad.axis[0]), stickAxis(pad.axis[1]), ms));
    }
    for (int i = 0; i < 32; ++i)
        if ((padsSeen & ~seen) >> i & 1u)
            padKeys.drop(i, ms);
    padsSeen = seen;
    // A player on a pad needs no touch controls over the view.
    if (pressed)
        pagePadUsed();
}

void WebPlatform::keepDisplayAwake(bool awake)
{
    pageKeepAwake(awake);
}

void WebPlatform::showCursor(bool show)
{
    cursorCounter += show ? 1 : -1;
    pageShowCursor(cursorCounter >= 0);
}

bool WebPlatform::createMainWindow()
{
    // The OpenGL emulation starts only with a context made by emscripten's
    // SDL, on the page's canvas.
    SDL_Init(SDL_INIT_VIDEO);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    width = pageViewWidth();
    height = pageViewHeight();
    if (SDL_SetVideoMode(width, height, 32, SDL_OPENGL) == nullptr || pageHasContext() == 0) {
        pageNoWebGL();
        return false;
    }
    prepareView(width, height);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, true, onKeyDown);
    windowMade = true;
    return true;
}

void WebPlatform::showMainWindow()
{
    pageFocusGame();
}

void WebPlatform::followPageSize()
{
    const int wantedWidth = pageViewWidth(), wantedHeight = pageViewHeight();
    if (wantedWidth == width && wantedHeight == height)
        return;
    width = wantedWidth;
    height = wantedHeight;
    emscripten_set_canvas_element_size("#canvas", width, height);
    resizeView(width, height);
}

void WebPlatform::handleOneMessage(GameState& state)
{
    ++turn;
    if (windowMade) {
        followPageSize();
        if (!watched) {
            // Pads and touches share the repeat: only the newest held repeats.
            const auto ms = static_cast<std::int64_t>(emscripten_get_now());
            pollGamepads(ms);
            postPad(padKeys.due(ms));
        }
    }
    // SDL keeps the canvas's mouse events for a poll that nothing else makes.
    SDL_Event ignored;
    while (SDL_PollEvent(&ignored)) {
    }
    player.postUpTo(turn);
    Message message;
    if (!(watched ? player.take(message) : messages.take(message)) || !addressMessage(message, menuShown))
        return;
    dispatchMessage(state, *this, message);
}

void WebPlatform::presentFrame()
{
    // The browser shows the canvas when the turn returns.
    SDL_GL_SwapBuffers();
    if (!framePresented) {
        framePresented = true;
        pageFirstFrame();
    }
}

void WebPlatform::startMusic()
{
    pageStartMusic();
}

void WebPlatform::stopMusic()
{
    pageStopMusic();
}

void WebPlatform::showMenuDialog(const char* description, const char* keyHelp)
{
    pageShowMenu(description, keyHelp);
    menuShown = true;
}

void WebPlatform::endMenuDialog()
{
    pageHideMenu();
    menuShown = false;
}

void WebPlatform::reactivateMainWindow()
{
    pageFocusGame();
}

void WebPlatform::destroyMainWindow()
{
    if (!windowMade)
        return;
    windowMade = false;
    emscripten_html5_remove_all_event_listeners();
    messages = MessageQueue();
    // A watch that reaches its recording's Escape keeps its last picture.
    if (!watched)
        pageHideGame();
}

void WebPlatform::freeze()
{
    emscripten_html5_remove_all_event_listeners();
    windowMade = false;
    pageStopMusic();
    pageKeepAwake(0);
}

std::int64_t WebPlatform::clockNanoseconds()
{
    return static_cast<std::int64_t>(std::llround(emscripten_get_now() * 1e6)) + sleptNs;
}

void WebPlatform::sleepMilliseconds(std::int64_t ms)
{
    sleptNs += ms * 1'000'000;
    pauseMs += ms;
}

std::int64_t WebPlatform::takePause()
{
    return std::exchange(pauseMs, 0);
}
