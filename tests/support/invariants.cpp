#include "support/invariants.h"

#include <cmath>

#include "state/game_state.h"
#include "app/input.h"
#include "layers/headless/headless_game.h"

namespace {
std::string at(std::int64_t frame, const std::string& what)
{
    return "frame " + std::to_string(frame) + ": " + what;
}
}  // namespace

std::string InvariantChecker::afterFrame(const HeadlessGame& game)
{
    const GameState& s = game.state;
    const std::int64_t frame = game.frames();
    const HeadlessPlatform& platform = game.platform;
    const Message& last = platform.lastMessage;
    const bool enterPressed = platform.messagesDispatched != messagesSeen &&
                              last.kind == MessageKind::keyDown && last.code == vk::enter &&
                              last.target == MessageTarget::mainWindow;
    messagesSeen = platform.messagesDispatched;

    if (s.matchPhase != 1 && s.matchPhase != 2)
        return at(frame, "matchPhase " + std::to_string(s.matchPhase));
    if (s.matchPhase == 1 && s.pauseState != 0)
        return at(frame, "paused on the title");
    if (s.pauseState < 0 || s.pauseState > 2)
        return at(frame, "pauseState " + std::to_string(s.pauseState));
    if (s.pauseFrames < 0 || s.pauseFrames > 30)
        return at(frame, "pauseFrames " + std::to_string(s.pauseFrames));
    if (s.goals < 0)
        return at(frame, "goals below zero");
    // Only Enter lowers the attempts: it starts the counters of a new match,
    // to which the same frame's play may already add.
    if (seenFrame && s.attempts < lastAttempts && !enterPressed)
        return at(frame, "attempts went down from " + std::to_string(lastAttempts) + " to " +
                             std::to_string(s.attempts));
    if (s.upLatch | s.downLatch | s.leftLatch | s.rightLatch | s.enterLatch | s.pauseLatch |
        s.restartLatch)
        return at(frame, "a key latch outlived its frame");
    if (s.inputGate != 2)
        return at(frame, "input gate open outside the message step");
    if (s.musicState < 0 || s.musicState > 5)
        return at(frame, "musicState " + std::to_string(s.musicState));
    // Counted branch-free so the check stays cheap enough to run every frame.
    auto cellOk = [&s](int i) {
        const float r = s.bannerRed[i], g = s.bannerGreen[i], b = s.bannerBlue[i];
        return ((r == 0.5f) & (g == 0.5f) & (b == 0.5f)) | ((r == 0.0f) & (g == 0.0f) & (b == 0.0f));
    };
    int good = 0, black = 0;
    for (int i = 0; i < bannerCells; ++i)
        good += cellOk(i), black += s.bannerRed[i] == 0.0f;
    if (good != bannerCells)
        for (int i = 0; i < bannerCells; ++i)
            if (!cellOk(i))
                return at(frame, "banner cell " + std::to_string(i) + " is neither grey nor black");
    if (black != s.bannerBlackCells)
        return at(frame, "bannerBlackCells is " + std::to_string(s.bannerBlackCells) + ", not " +
                             std::to_string(black));
    if (s.plotIndex > 320)
        return at(frame, "plotted past the banner");

    // A ball that is not a number is out of play: the next simulation step
    // ends the attempt and the one after restores the kick-off layout.
    const bool nanBall = std::isnan(s.ball.x) || std::isnan(s.ball.y) || std::isnan(s.ball.z);
    const bool simulated = s.matchPhase == 2 && s.pauseState == 0;
    if (!nanBall)
        nanSteps = 0;
    else if (simulated && ++nanSteps > 2)
        return at(frame, "the ball stayed not-a-number for more than two simulation steps");

    seenFrame = true;
    lastAttempts = s.attempts;
    return {};
}

std::vector<ScriptEvent> messagesFromBytes(const std::uint8_t* data, std::size_t size, bool quitting)
{
    constexpr std::uint8_t namedKeys[] = {13, 27, 37, 38, 39, 40, 65, 77, 80, 82, 83, 90};
    std::vector<ScriptEvent> events;
    std::int32_t turn = 1;
    for (std::size_t i = 0; i + 1 < size && turn < maxScriptTurn - 15; i += 2) {
        const int kind = data[i] & 0x0f;
        const std::uint8_t arg = data[i + 1];
        turn += data[i] >> 4;
        ScriptEvent e;
        e.turn = turn;
        if (kind < 12) {
            e.kind = MessageKind::keyDown;
            e.code = namedKeys[kind];
            if (e.code == 27 && (arg < 250 || !quitting))
                e.code = 38;
        } else if (kind == 12) {
            e.kind = MessageKind::keyDown;
            e.code = arg == 27 && !quitting ? 38 : arg;
        } else if (kind == 13) {
            e.kind = arg >= 250 && quitting ? MessageKind::close : MessageKind::other;
        } else {
            e.kind = kind == 14 ? MessageKind::menuOk : MessageKind::menuClose;
        }
        if (e.kind != MessageKind::other)
            events.push_back(e);
    }
    return events;
}
