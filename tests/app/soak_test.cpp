// A million frames of random play: the rules' promises hold after every
// frame, no attempt gets stuck, and memory stays flat.

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <vector>

#include "layers/headless/headless_game.h"
#include "support/counting_allocator.h"
#include "support/invariants.h"

namespace {

constexpr std::int64_t soakFrames = 1'000'000;
constexpr std::uint32_t soakSeed = 20261206;  // change it to explore other matches
constexpr std::int64_t longestAttempt = 20'000;

// A restless player: random messages, every key and dialog click in any
// order and density, never Escape or a close request, enough for the frames.
std::vector<ScriptEvent> randomPlay(std::uint32_t seed, std::int64_t turns)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(turns / 3));
    for (std::uint8_t& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return messagesFromBytes(bytes.data(), bytes.size(), false);
}

long residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * 4;
}

}  // namespace

TEST(SoakTest, MillionFramesOfRandomPlay)
{
    const std::vector<ScriptEvent> events = randomPlay(soakSeed, soakFrames);
    HeadlessGame game(events);
    InvariantChecker checker;
    std::string broken;
    std::int64_t attemptFrames = 0, longest = 0, matches = 0;
    std::int32_t lastPhase = 1;
    long allocationsAt1000 = 0, residentAt1000 = 0;

    game.run(
        soakFrames,
        [&] {
            const GameState& s = game.state;
            if (broken.empty())
                broken = checker.afterFrame(game);
            // An attempt runs from a kick-off (resetRequest 3) until a rule
            // ends it (resetRequest 1); paused frames do not count.
            if (s.matchPhase == 2 && s.resetRequest == 3) {
                if (s.pauseState == 0)
                    longest = std::max(longest, ++attemptFrames);
            } else {
                attemptFrames = 0;
            }
            matches += lastPhase == 1 && s.matchPhase == 2;
            lastPhase = s.matchPhase;
            if (game.frames() == 1000) {
                residentAt1000 = residentKilobytes();  // reading it allocates
                allocationsAt1000 = allocationCount();
            }
        },
        [&] { return broken.empty(); });

    EXPECT_EQ(broken, "");
    EXPECT_EQ(game.frames(), soakFrames);
    EXPECT_LE(longest, longestAttempt) << "an attempt got stuck";
    EXPECT_EQ(allocationCount(), allocationsAt1000) << "frames after the 1000th allocated";
    EXPECT_LE(residentKilobytes() - residentAt1000, 1024) << "memory grew during the soak";
    EXPECT_GT(matches, 10);
}
