#include "layers/sdl/key_map.h"

namespace {

struct KeyCode {
    SDL_Keycode sym;
    int code;
};

constexpr KeyCode keyCodes[] = {
    {SDLK_BACKSPACE, 8},     {SDLK_TAB, 9},          {SDLK_RETURN, 13},      {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},       {SDLK_RSHIFT, 16},      {SDLK_LCTRL, 17},       {SDLK_RCTRL, 17},
    {SDLK_PAUSE, 19},        {SDLK_CAPSLOCK, 20},    {SDLK_ESCAPE, 27},      {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},       {SDLK_PAGEDOWN, 34},    {SDLK_END, 35},         {SDLK_HOME, 36},
    {SDLK_LEFT, 37},         {SDLK_UP, 38},          {SDLK_RIGHT, 39},       {SDLK_DOWN, 40},
    {SDLK_PRINTSCREEN, 44},  {SDLK_INSERT, 45},      {SDLK_DELETE, 46},      {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},         {SDLK_APPLICATION, 93}, {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},
    {SDLK_KP_MINUS, 109},    {SDLK_KP_PERIOD, 110},  {SDLK_KP_DIVIDE, 111},  {SDLK_NUMLOCKCLEAR, 144},
    {SDLK_SCROLLLOCK, 145},  {SDLK_SEMICOLON, 186},  {SDLK_EQUALS, 187},     {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},       {SDLK_PERIOD, 190},     {SDLK_SLASH, 191},      {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220},  {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

}  // namespace

int virtualKeyCode(SDL_Keycode sym, SDL_Scancode scancode)
{
    if (sym >= SDLK_a && sym <= SDLK_z)
        return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9)
        return '0' + (sym - SDLK_0);
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9)
        return 97 + (sym - SDLK_KP_1);
    if (sym == SDLK_KP_0)
        return 96;
    if (sym >= SDLK_F1 && sym <= SDLK_F12)
        return 112 + (sym - SDLK_F1);
    if (sym >= SDLK_F13 && sym <= SDLK_F24)
        return 124 + (sym - SDLK_F13);
    for (const KeyCode& key : keyCodes)
        if (key.sym == sym)
            return key.code;
    // Cyrillic, Greek and the like: the letter printed in the Latin layout.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    return -1;
}

bool messageForKey(SDL_Keycode sym, SDL_Scancode scancode, std::uint16_t modifiers,
                   bool menuActive, Message& out)
{
    const MessageTarget target = menuActive ? MessageTarget::menuDialog : MessageTarget::mainWindow;
    if ((modifiers & KMOD_ALT) != 0) {
        // Alt+F4 is the close request of whichever window is active, as a
        // window manager would send it; no other Alt combination reaches
        // the game.
        if (sym != SDLK_F4)
            return false;
        out = Message{menuActive ? MessageKind::menuClose : MessageKind::close, target, 0};
        return true;
    }
    const int code = virtualKeyCode(sym, scancode);
    if (code < 0 || sym == SDLK_F10)
        return false;
    out = Message{MessageKind::keyDown, target, code};
    return true;
}
