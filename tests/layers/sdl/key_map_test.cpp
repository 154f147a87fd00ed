// Keys from SDL become the game's virtual-key messages: letters by key
// whatever Shift or Caps Lock say, the desktop's system keys dropped, Alt+F4
// the close request of the active window.

#include <gtest/gtest.h>

#include "app/input.h"
#include "layers/sdl/key_map.h"

TEST(KeyMapTest, KeysGiveTheirCodesAndSystemKeysAreDropped)
{
    Message m;
    const auto codeFor = [&](SDL_Keycode sym, int mod = KMOD_NONE, SDL_Scancode scan = SDL_SCANCODE_UNKNOWN) {
        const bool sent = messageForKey(sym, scan, static_cast<std::uint16_t>(mod), false, m);
        return sent && m.kind == MessageKind::keyDown ? m.code : -1;
    };
    // The game's keys, and the ends of each run of codes worked out rather than listed.
    const std::pair<SDL_Keycode, int> keys[] = {
        {SDLK_RETURN, vk::enter}, {SDLK_KP_ENTER, vk::enter}, {SDLK_ESCAPE, vk::escape}, {SDLK_LEFT, vk::left},
        {SDLK_UP, vk::up},        {SDLK_RIGHT, vk::right},    {SDLK_DOWN, vk::down},     {SDLK_a, vk::a},
        {SDLK_z, vk::z},          {SDLK_0, 48},               {SDLK_KP_0, 96},           {SDLK_KP_9, 105},
        {SDLK_F1, 112},           {SDLK_F24, 135},            {SDLK_QUOTE, 222}};
    for (auto [sym, code] : keys) {
        EXPECT_EQ(codeFor(sym), code) << sym;
        EXPECT_EQ(codeFor(sym, KMOD_LSHIFT | KMOD_CAPS | KMOD_RCTRL), code) << sym;
    }
    EXPECT_EQ(codeFor(0x444, KMOD_NONE, SDL_SCANCODE_A), vk::a) << "Cyrillic, on the key of the Latin A";

    // Alt with anything but F4, F10, and keys the game has no code for, do nothing.
    for (auto [sym, mod] :
         {std::pair{SDLK_a, KMOD_LALT}, {SDLK_RETURN, KMOD_RALT}, {SDLK_F10, KMOD_NONE}, {SDLK_AUDIOPLAY, KMOD_NONE}})
        EXPECT_EQ(codeFor(sym, mod), -1) << sym;
    EXPECT_EQ(codeFor(SDLK_F4), 115) << "F4 alone is just a key";
    ASSERT_TRUE(messageForKey(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT, false, m));
    EXPECT_EQ(m.kind, MessageKind::close);
    ASSERT_TRUE(messageForKey(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT, true, m));
    EXPECT_EQ(m.kind, MessageKind::menuClose) << "on the dialog it is the dialog's close box";
}
