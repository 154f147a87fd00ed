// Keys from SDL become the game's virtual-key messages: letters by key
// whatever Shift or Caps Lock say, the desktop's system keys dropped, Alt+F4
// the close request of the active window.

#include <gtest/gtest.h>

#include <vector>

#include "app/input.h"
#include "platform/sdl/event_ring.h"
#include "platform/sdl/key_map.h"

namespace {

int codeFor(SDL_Keycode sym, std::uint16_t mod = KMOD_NONE, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN)
{
    Message m;
    return messageForKey(sym, scancode, mod, false, m) && m.kind == MessageKind::keyDown ? m.code : -1;
}

}  // namespace

TEST(KeyMapTest, KeysGiveTheirCodesLettersWhateverTheModifiers)
{
    const std::pair<SDL_Keycode, int> keys[] = {
        {SDLK_RETURN, vk::enter}, {SDLK_KP_ENTER, vk::enter}, {SDLK_ESCAPE, vk::escape}, {SDLK_LEFT, vk::left},
        {SDLK_UP, vk::up},        {SDLK_RIGHT, vk::right},    {SDLK_DOWN, vk::down},     {SDLK_a, vk::a},
        {SDLK_m, vk::m},          {SDLK_p, vk::p},            {SDLK_r, vk::r},           {SDLK_s, vk::s},
        {SDLK_z, vk::z},          {SDLK_0, 48},               {SDLK_KP_0, 96},           {SDLK_KP_9, 105},
        {SDLK_F1, 112},           {SDLK_F24, 135},            {SDLK_LSHIFT, 16},         {SDLK_QUOTE, 222}};
    for (auto [sym, code] : keys) {
        EXPECT_EQ(codeFor(sym), code) << sym;
        EXPECT_EQ(codeFor(sym, KMOD_LSHIFT | KMOD_CAPS | KMOD_RCTRL), code) << sym;
    }
    // A Cyrillic layout: the key where A is on a Latin keyboard is still A.
    EXPECT_EQ(codeFor(0x444, KMOD_NONE, SDL_SCANCODE_A), vk::a);
}

TEST(KeyMapTest, SystemKeysAreDroppedAndAltF4ClosesTheActiveWindow)
{
    EXPECT_EQ(codeFor(SDLK_a, KMOD_LALT), -1) << "Alt with a letter does nothing";
    EXPECT_EQ(codeFor(SDLK_RETURN, KMOD_RALT), -1);
    EXPECT_EQ(codeFor(SDLK_F10), -1);
    EXPECT_EQ(codeFor(SDLK_AUDIOPLAY), -1);
    EXPECT_EQ(codeFor(SDLK_F4), 115) << "F4 alone is just a key";

    Message m;
    ASSERT_TRUE(messageForKey(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT, false, m));
    EXPECT_EQ(m.kind, MessageKind::close);
    ASSERT_TRUE(messageForKey(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT, true, m));
    EXPECT_EQ(m.kind, MessageKind::menuClose) << "on the dialog it is the dialog's close box";
}

TEST(EventRingTest, OldestFirstAcrossTheWrapWithinItsSize)
{
    EventRing<int, 3> ring;
    int out = 0;
    for (int i = 1; i <= 7; ++i) {  // wraps round twice
        ASSERT_TRUE(ring.push(i));
        ASSERT_TRUE(ring.pop(out));
        EXPECT_EQ(out, i);
    }
    EXPECT_FALSE(ring.pop(out));
    for (int i : {1, 2, 3})
        ring.push(i);
    EXPECT_FALSE(ring.push(4)) << "a full ring refuses";
}

TEST(EventRingTest, EscapeAndCloseGoFirstAndHeldKeysBuildNoBacklog)
{
    const auto key = [](int code) { return Message{MessageKind::keyDown, MessageTarget::mainWindow, code}; };
    MessageQueue queue;
    queue.post(key(37), false);
    for (int i = 0; i < 50; ++i)
        queue.post(key(37), true);  // held: merges into the waiting press
    queue.post(key(39), false);
    for (int i = 0; i < 300; ++i)
        queue.post(key(38), false);  // a flood fills the ring
    queue.post(key(27), false);
    queue.post(Message{MessageKind::close, MessageTarget::mainWindow, 0}, false);
    std::vector<int> taken;
    for (Message m; queue.take(m);)
        taken.push_back(m.kind == MessageKind::close ? -1 : m.code);
    ASSERT_EQ(taken.size(), 2u + 256u);
    EXPECT_EQ(std::vector<int>(taken.begin(), taken.begin() + 4), (std::vector<int>{27, -1, 37, 39}));
    queue.post(key(37), true);  // no press of it waits any more
    Message m;
    EXPECT_TRUE(queue.take(m) && m.code == 37);
}
