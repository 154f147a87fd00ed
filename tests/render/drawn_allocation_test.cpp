// Drawn frames allocate nothing either: a counting allocator watches a few
// hundred frames drawn into the offscreen view. Mesa compiles its shaders
// (with LLVM, which allocates) the first time it meets a drawing state, so
// the script runs once to warm it up and is counted the second time.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/headless/headless_game.h"
#include "platform/headless/offscreen_view.h"
#include "platform/headless/script.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(DrawnAllocationTest, DrawnFramesAfterTheFirstAllocateNothing)
{
    const Script script = parseScript("3 enter\n10 left\n20 p\n60 p\n100 r\n110 enter\n", "drawn");
    ASSERT_EQ(script.error, "");
    std::string problem;
    const auto view = OffscreenView::create(320, 180, problem);
    ASSERT_TRUE(view) << problem;
    for (int pass = 0; pass < 2; ++pass) {
        HeadlessGame game(script.events, view.get());
        ASSERT_TRUE(game.start());
        ASSERT_TRUE(game.turn());
        const long before = allocations.load();
        while (game.turns() < 150 && game.turn()) {
        }
        if (pass == 1) {
            EXPECT_EQ(allocations.load() - before, 0);
        }
        EXPECT_EQ(game.platform.framesPresented, 150);
        game.stop();
    }
}
