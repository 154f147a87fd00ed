// Once the first frame has run, the game allocates nothing per frame: a
// counting allocator watches a few thousand frames of play.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/headless/headless_game.h"
#include "replay/trace.h"
#include "support/counting_allocator.h"

TEST(NoAllocationTest, FramesAfterTheFirstAllocateNothing)
{
    // A busy script: start, pause and resume, menu open and closed, music off
    // and on, restarts, and the title again; the trace is formatted too.
    std::string text;
    for (int base = 0; base < 4000; base += 200) {
        for (const char* line : {"1 enter", "5 right", "6 left", "7 up", "8 down", "9 a", "10 s",
                                 "20 p", "60 p", "65 m", "70 menu-ok", "80 z", "90 p",
                                 "130 r", "140 z", "150 enter", "160 key:200"}) {
            const char* space = std::strchr(line, ' ');
            text += std::to_string(base + std::atoi(line)) + space + "\n";
        }
    }
    const Script script = parseScript(text, "busy");
    ASSERT_EQ(script.error, "");

    HeadlessGame game(script.events);
    ASSERT_TRUE(game.start());
    ASSERT_TRUE(game.turn());
    char row[traceRowCapacity];
    const long before = allocationCount();
    while (game.turns() < 4000 && game.turn())
        formatTraceRow(row, game.frames(), game.state);
    EXPECT_EQ(allocationCount() - before, 0);
    EXPECT_EQ(game.frames(), 4000);
}
