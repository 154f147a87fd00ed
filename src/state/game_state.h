#pragma once
// The one record of every game variable. Start values are the member
// initialisers; everything not given one starts at zero or empty.

#include <cstdint>
#include <string>

#include "state/shot_random.h"

struct Ball {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct Anchor {
    float x = 0.0f, y = 0.0f;
};

struct UserPlayer {
    float x = 0.0f, y = 0.0f, heading = 0.0f;
};

struct Defender {
    float x = 0.0f, y = 0.0f, heading = 0.0f, chaseAngle = 0.0f;
};

struct Keeper {
    float x = 0.0f, y = 0.0f, heading = 0.0f, ballAngle = 0.0f;
};

// The four headings a figure can have, as single-precision floats a little
// below 0, pi/2, pi and 3 pi/2: the way the figure last moved with that
// arrow key (up faces away from the camera).
constexpr float headingUp = 0.0f;
constexpr float headingLeft = 1.5707952f;
constexpr float headingDown = 3.1415904f;
constexpr float headingRight = 4.7123857f;

constexpr int bannerColumns = 320;
constexpr int bannerRows = 10;
constexpr int bannerCells = bannerColumns * bannerRows;

// Longest banner text the game composes is under 60 characters; reserving
// more up front keeps the per-frame rebuild free of allocations.
constexpr std::size_t bannerTextCapacity = 128;

// The small integer states keep the game's own codes (the trace shows them);
// these are their names, one namespace per field.
namespace closeState {
constexpr std::int32_t open = 1, closed = 2;  // the shutdown runs only while open
}
namespace inputGate {
constexpr std::int32_t open = 1, shut = 2;  // a key latches only while open
}
namespace glSetupStep {
constexpr std::int32_t none = 0, contextReady = 3, projectionSet = 5;
}
namespace refocusRequest {
constexpr std::int32_t none = 0, dialogClosed = 1, reactivated = 2;
}
namespace matchPhase {
constexpr std::int32_t title = 1, play = 2;
}
namespace pauseState {
constexpr std::int32_t running = 0, pausing = 1, paused = 2;
}
namespace resetRequest {
constexpr std::int32_t restore = 1, restored = 3;  // the kick-off layout
}
// 0 to start, 1 playing (Z not yet accepted), 2 playing, 3 to stop, 4 silent
// (Z not yet accepted), 5 silent.
namespace musicState {
constexpr std::int32_t start = 0, startedSettling = 1, playing = 2, stop = 3, stoppedSettling = 4, silent = 5;
}
// The user players are 1 and 2 wherever a field names one.
namespace controlledPlayer {
constexpr std::int32_t player1 = 1, player2 = 2, nobody = 333;
}
namespace ballHolder {
constexpr std::int32_t nobody = 0;
}
namespace dribbler {
constexpr std::int32_t player1 = 1, player2 = 2, nobody = 15;
}
// Whether a user player moved with the ball this frame: 8 yes; 15, cleared
// every frame, and 1, as at the kick-off, no.
namespace dribbleMark {
constexpr std::int32_t kickOff = 1, moved = 8, still = 15;
}
// A pass: 2 requested or under way; 1 (no pass yet) and 3 (the last one was
// taken) both mean none.
namespace passState {
constexpr std::int32_t none = 1, requested = 2, taken = 3;
}
namespace passDirection {
constexpr std::int32_t toPlayer2 = 2, toPlayer1 = 3;
}
// A shot: 3 none, 2 requested; under way -1 and -2 at the upper target, -3
// and -4 at the lower, the odd ones begun above their target.
namespace shotState {
constexpr std::int32_t none = 3, requested = 2;
constexpr std::int32_t upperFromAbove = -1, upperFromBelow = -2, lowerFromAbove = -3, lowerFromBelow = -4;
}

struct GameState {
    GameState()
    {
        bannerText.reserve(bannerTextCapacity);
        plottedText.reserve(bannerTextCapacity);
    }

    // Application shell
    std::uint8_t running = 1;
    std::int32_t shuttingDown = 0;
    std::int32_t closeState = closeState::open;
    std::int32_t inputGate = inputGate::shut;
    std::int32_t glSetupStep = glSetupStep::none;
    std::int32_t menuVisible = 0;
    std::int32_t refocusRequest = refocusRequest::none;
    std::int32_t upLatch = 0, downLatch = 0, leftLatch = 0, rightLatch = 0;
    std::int32_t enterLatch = 0, pauseLatch = 0, restartLatch = 0;

    // Match flow
    std::int32_t matchPhase = matchPhase::title;
    std::int32_t pauseState = pauseState::running;
    std::int32_t pauseFrames = 0;
    std::int32_t goals = 0;
    std::int32_t attempts = 0;
    std::int32_t resetRequest = resetRequest::restore;
    std::int32_t musicState = musicState::start;
    std::int32_t musicFrames = 0;
    std::string bannerText;

    // Gameplay simulation
    Ball ball;
    Anchor pitch;
    UserPlayer player1, player2;
    Defender defender1, defender2, defender3;
    Keeper keeper;
    std::int32_t controlledPlayer = controlledPlayer::player1;
    std::int32_t ballHolder = ballHolder::nobody;
    std::int32_t ballInFlight = 0;
    std::int32_t passState = passState::none;
    std::int32_t passDirection = passDirection::toPlayer2;
    std::int32_t shotState = shotState::none;
    float passAngle = 0.0f, shotAngleUpper = 0.0f, shotAngleLower = 0.0f;
    float dribbleFacing = 90.0f;
    std::int32_t dribbler = dribbler::player1;
    std::int32_t dribbleMark = dribbleMark::kickOff;
    // Draws for the shot's target: every game starts the same sequence.
    ShotRandom shotRandom;

    // Scene drawing scratch: only the drawing code touches these, so a run
    // without drawing leaves them at zero.
    std::int32_t drawIndex = 0;
    float bannerDrawX = 0.0f, bannerDrawY = 0.0f, bannerDrawZ = 0.0f, bannerCellSize = 0.0f;

    // Banner grid and text plotting
    float bannerRed[bannerCells] = {};
    float bannerGreen[bannerCells] = {};
    float bannerBlue[bannerCells] = {};
    std::int32_t plotIndex = 0, plotColumn = 0, plotRow = 0, glyphCode = 0;
    char plotChar = 0;
    // Cells black in all three planes, kept up by the clearing and the
    // plotting (the planes start black).
    std::int32_t bannerBlackCells = bannerCells;
    // The text the planes and the plotting state were last made from by a
    // clear and a whole plot; any other write to them leaves plottedValid 0.
    // The text rarely changes, so most frames need not plot it again.
    std::string plottedText;
    std::int32_t plottedValid = 0;
};
