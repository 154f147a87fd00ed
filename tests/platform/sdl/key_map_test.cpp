// Keys from SDL become the game's virtual-key messages: letters by key
// whatever Shift or Caps Lock say, the desktop's system keys dropped, Alt+F4
// the close request of the active window. They wait in a queue that Escape
// and close requests jump and that held keys never flood.

#include <gtest/gtest.h>

#include <vector>

#include "app/input.h"
#include "platform/sdl/event_ring.h"
#include "platform/sdl/key_map.h"

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

TEST(EventRingTest, OldestFirstAcrossTheWrapWithinItsSize)
{
    EventRing<int, 3> ring;
    int out = 0;
    for (int i = 1; i <= 7; ++i)  // wraps round twice
        EXPECT_TRUE(ring.push(i) && ring.pop(out) && out == i) << i;
    EXPECT_FALSE(ring.pop(out));
    EXPECT_TRUE(ring.push(1) && ring.push(2) && ring.push(3));
    EXPECT_FALSE(ring.push(4)) << "a full ring refuses";
    for (int i : {1, 2, 3})
        EXPECT_TRUE(ring.pop(out) && out == i) << i;
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
