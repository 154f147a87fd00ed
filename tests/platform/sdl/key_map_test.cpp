// Keys from SDL become the game's virtual-key messages: letters by key
// whatever Shift or Caps Lock say, the desktop's system keys dropped, Alt+F4
// the close request of the active window.

#include <gtest/gtest.h>

#include "app/input.h"
#include "platform/sdl/event_ring.h"
#include "platform/sdl/key_map.h"

namespace {

int codeFor(SDL_Keycode sym, std::uint16_t mod = KMOD_NONE, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN)
{
    Message m;
    if (!messageForKey(sym, scancode, mod, false, m))
        return -1;
    EXPECT_EQ(m.kind, MessageKind::keyDown);
    return m.code;
}

}  // namespace

TEST(KeyMapTest, GameKeysGiveTheirCodes)
{
    EXPECT_EQ(codeFor(SDLK_RETURN), vk::enter);
    EXPECT_EQ(codeFor(SDLK_KP_ENTER), vk::enter);
    EXPECT_EQ(codeFor(SDLK_ESCAPE), vk::escape);
    EXPECT_EQ(codeFor(SDLK_LEFT), vk::left);
    EXPECT_EQ(codeFor(SDLK_UP), vk::up);
    EXPECT_EQ(codeFor(SDLK_RIGHT), vk::right);
    EXPECT_EQ(codeFor(SDLK_DOWN), vk::down);
    const std::pair<SDL_Keycode, int> letters[] = {{SDLK_a, vk::a}, {SDLK_m, vk::m}, {SDLK_p, vk::p},
                                                   {SDLK_r, vk::r}, {SDLK_s, vk::s}, {SDLK_z, vk::z}};
    for (auto [sym, code] : letters) {
        EXPECT_EQ(codeFor(sym), code);
        EXPECT_EQ(codeFor(sym, KMOD_LSHIFT), code) << "Shift makes no difference";
        EXPECT_EQ(codeFor(sym, KMOD_CAPS), code) << "Caps Lock makes no difference";
        EXPECT_EQ(codeFor(sym, KMOD_RCTRL), code);
    }
}

TEST(KeyMapTest, OtherKeysKeepTheirDesktopCodes)
{
    EXPECT_EQ(codeFor(SDLK_0), 48);
    EXPECT_EQ(codeFor(SDLK_9), 57);
    EXPECT_EQ(codeFor(SDLK_KP_0), 96);
    EXPECT_EQ(codeFor(SDLK_KP_9), 105);
    EXPECT_EQ(codeFor(SDLK_F1), 112);
    EXPECT_EQ(codeFor(SDLK_F12), 123);
    EXPECT_EQ(codeFor(SDLK_F24), 135);
    EXPECT_EQ(codeFor(SDLK_SPACE), 32);
    EXPECT_EQ(codeFor(SDLK_LSHIFT), 16);
    EXPECT_EQ(codeFor(SDLK_QUOTE), 222);
    // A Cyrillic layout: the key where A is on a Latin keyboard is still A.
    EXPECT_EQ(codeFor(0x444, KMOD_NONE, SDL_SCANCODE_A), vk::a);
}

TEST(KeyMapTest, SystemKeysAndUnknownKeysAreDropped)
{
    EXPECT_EQ(codeFor(SDLK_a, KMOD_LALT), -1) << "Alt with a letter does nothing";
    EXPECT_EQ(codeFor(SDLK_RETURN, KMOD_RALT), -1);
    EXPECT_EQ(codeFor(SDLK_F10), -1);
    EXPECT_EQ(codeFor(SDLK_LALT), -1);
    EXPECT_EQ(codeFor(SDLK_AUDIOPLAY), -1);
    EXPECT_EQ(codeFor(SDLK_UNKNOWN), -1);
}

TEST(KeyMapTest, AltF4ClosesTheActiveWindow)
{
    Message m;
    ASSERT_TRUE(messageForKey(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT, false, m));
    EXPECT_EQ(m.kind, MessageKind::close);
    EXPECT_EQ(m.target, MessageTarget::mainWindow);
    ASSERT_TRUE(messageForKey(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT, true, m));
    EXPECT_EQ(m.kind, MessageKind::menuClose) << "on the dialog it is the dialog's close box";
    EXPECT_EQ(m.target, MessageTarget::menuDialog);
    EXPECT_EQ(codeFor(SDLK_F4), 115) << "F4 alone is just a key";
}

TEST(EventRingTest, OldestFirstAcrossTheWrapAndNeverGrows)
{
    EventRing<int, 3> ring;
    int out = 0;
    EXPECT_FALSE(ring.pop(out));
    for (int round = 0; round < 4; ++round) {
        EXPECT_TRUE(ring.push(round * 10 + 1));
        EXPECT_TRUE(ring.push(round * 10 + 2));
        ASSERT_TRUE(ring.pop(out));
        EXPECT_EQ(out, round * 10 + 1);
        ASSERT_TRUE(ring.pop(out));
        EXPECT_EQ(out, round * 10 + 2);
    }
    EXPECT_TRUE(ring.push(1));
    EXPECT_TRUE(ring.push(2));
    EXPECT_TRUE(ring.push(3));
    EXPECT_FALSE(ring.push(4)) << "a full ring refuses";
    ring.pushOverNewest(9);  // ...but makes room for what must not be lost
    for (int expected : {1, 2, 9}) {
        ASSERT_TRUE(ring.pop(out));
        EXPECT_EQ(out, expected);
    }
    EXPECT_TRUE(ring.empty());
}
