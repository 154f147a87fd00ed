// A million frames of random play: the rules' promises hold after every
// frame, no attempt gets stuck, and memory stays flat.

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <vector>

#include "platform/headless/headless_game.h"
#include "support/counting_allocator.h"
#include "support/invariants.h"

namespace {

constexpr std::int64_t soakFrames = 1'000'000;
constexpr std::uint32_t soakSeed = 20261206;  // change it to explore other matches
constexpr std::int64_t longestAttempt = 20'000;

// Keys a restless player presses, weighted: mostly running about, passing and
// shooting; now and then pauses, restarts, the menu, the music and stray keys.
// Never Escape or a close request.
std::vector<ScriptEvent> randomPlay(std::uint32_t seed, std::int64_t turns)
{
    struct Choice {
        int weight;
        MessageKind kind;
        std::int32_t code;
    };
    const Choice choices[] = {
        {15, MessageKind::keyDown, 37}, {15, MessageKind::keyDown, 38},
        {15, MessageKind::keyDown, 39}, {15, MessageKind::keyDown, 40},
        {8, MessageKind::keyDown, 65},  {8, MessageKind::keyDown, 83},
        {2, MessageKind::keyDown, 13},  {3, MessageKind::keyDown, 80},
        {2, MessageKind::keyDown, 82},  {1, MessageKind::keyDown, 77},
        {2, MessageKind::menuOk, 0},    {1, MessageKind::menuClose, 0},
        {2, MessageKind::keyDown, 90},  {2, MessageKind::keyDown, -1},
    };
    std::vector<int> weights;
    for (const Choice& c : choices)
        weights.push_back(c.weight);
    std::mt19937 random(seed);
    std::discrete_distribution<int> pick(weights.begin(), weights.end());
    std::bernoulli_distribution pressed(0.7);
    std::uniform_int_distribution<int> anyKey(0, 255);

    std::vector<ScriptEvent> events;
    events.reserve(static_cast<std::size_t>(turns));
    for (std::int64_t turn = 1; turn <= turns; ++turn) {
        if (!pressed(random))
            continue;
        const Choice& c = choices[pick(random)];
        ScriptEvent e;
        e.turn = turn;
        e.kind = c.kind;
        e.code = c.code >= 0 ? c.code : anyKey(random);
        if (e.kind == MessageKind::keyDown && e.code == 27)
            e.code = 39;  // no quitting
        events.push_back(e);
    }
    return events;
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
    RecordProperty("longest_attempt_frames", static_cast<int>(longest));
    RecordProperty("matches_started", static_cast<int>(matches));
}
