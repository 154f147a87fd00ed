// The layers' message queue keeps order within its size, lets Escape and
// close requests jump ahead, and never lets a held key build a backlog; the
// script player hands a script over as the headless runner always has.

#include <gtest/gtest.h>

#include <vector>

#include "layers/common/message_queue.h"
#include "layers/common/script_player.h"

TEST(MessageQueueTest, OldestFirstAcrossTheWrapWithinItsSize)
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

TEST(MessageQueueTest, EscapeAndCloseGoFirstAndHeldKeysBuildNoBacklog)
{
    const auto key = [](int code) { return Message{MessageKind::keyDown, MessageTarget::mainWindow, code}; };
    MessageQueue queue;
    queue.post(key(vk::left), false);
    for (int i = 0; i < 50; ++i)
        queue.post(key(vk::left), true);  // held: merges into the waiting press
    queue.post(key(vk::right), false);
    for (int i = 0; i < 300; ++i)
        queue.post(key(vk::up), false);  // a flood fills the ring
    queue.post(key(vk::escape), false);
    queue.post(Message{MessageKind::close, MessageTarget::mainWindow, 0}, false);
    std::vector<int> taken;
    for (Message m; queue.take(m);)
        taken.push_back(m.kind == MessageKind::close ? -1 : m.code);
    ASSERT_EQ(taken.size(), 2u + 256u);
    EXPECT_EQ(std::vector<int>(taken.begin(), taken.begin() + 4), (std::vector<int>{vk::escape, -1, vk::left, vk::right}));
    queue.post(key(vk::left), true);  // no press of it waits any more
    Message m;
    EXPECT_TRUE(queue.take(m) && m.code == vk::left);
}

TEST(ScriptPlayerTest, OneDueEventPerTurnAndTheEndSeenAhead)
{
    const ScriptEvent events[] = {{2, MessageKind::keyDown, vk::up},
                                  {2, MessageKind::keyDown, vk::m},
                                  {5, MessageKind::keyDown, vk::escape},
                                  {5, MessageKind::close, 0}};
    ScriptPlayer player(events);
    Message m;
    player.postUpTo(1);
    EXPECT_FALSE(player.take(m)) << "nothing is due before its turn";
    EXPECT_FALSE(player.endsGameIn(4, false));
    player.postUpTo(2);
    EXPECT_TRUE(player.take(m) && m.code == vk::up);
    player.postUpTo(3);
    EXPECT_TRUE(player.take(m) && m.code == vk::m) << "a late event is handed over in a later turn";
    EXPECT_TRUE(player.endsGameIn(5, false));
    EXPECT_FALSE(player.endsGameIn(5, true)) << "Escape on the shown dialog ends nothing";
    player.postUpTo(5);
    EXPECT_TRUE(player.take(m) && m.code == vk::escape);
    EXPECT_TRUE(player.endsGameIn(6, true)) << "a close request ends the game wherever it goes";
    EXPECT_TRUE(player.take(m) && m.kind == MessageKind::close);
    EXPECT_TRUE(player.finished());
    EXPECT_FALSE(player.take(m));
}

TEST(ScriptPlayerTest, ARecordingIsOverAfterItsEndLinesTurn)
{
    // A killed session: events recorded for a turn whose frame never ran.
    const ScriptEvent events[] = {{2, MessageKind::keyDown, vk::enter}, {8, MessageKind::keyDown, vk::left}};
    const ScriptPlayer ended(events, 7);
    EXPECT_FALSE(ended.overBefore(7));
    EXPECT_TRUE(ended.overBefore(8)) << "turn 8 lies past the end line";
    const ScriptPlayer open(events);
    EXPECT_FALSE(open.overBefore(1'000'000)) << "without an end line the events decide";
}
