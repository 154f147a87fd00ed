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

struct GameState {
    GameState()
    {
        bannerText.reserve(bannerTextCapacity);
        plottedText.reserve(bannerTextCapacity);
    }

    // Application shell
    std::uint8_t running = 1;
    std::int32_t shuttingDown = 0;
    std::int32_t closeState = 1;
    std::int32_t inputGate = 2;
    std::int32_t glSetupStep = 0;
    std::int32_t menuVisible = 0;
    std::int32_t refocusRequest = 0;
    std::int32_t upLatch = 0, downLatch = 0, leftLatch = 0, rightLatch = 0;
    std::int32_t enterLatch = 0, pauseLatch = 0, restartLatch = 0;

    // Match flow
    std::int32_t matchPhase = 1;
    std::int32_t pauseState = 0;
    std::int32_t pauseFrames = 0;
    std::int32_t goals = 0;
    std::int32_t attempts = 0;
    std::int32_t resetRequest = 1;
    std::int32_t musicState = 0;
    std::int32_t musicFrames = 0;
    std::string bannerText;

    // Gameplay simulation
    Ball ball;
    Anchor pitch;
    UserPlayer player1, player2;
    Defender defender1, defender2, defender3;
    Keeper keeper;
    std::int32_t controlledPlayer = 1;
    std::int32_t ballHolder = 0;
    std::int32_t ballInFlight = 0;
    std::int32_t passState = 1;
    std::int32_t passDirection = 2;
    std::int32_t shotState = 3;
    float passAngle = 0.0f, shotAngleUpper = 0.0f, shotAngleLower = 0.0f;
    float dribbleFacing = 90.0f;
    std::int32_t dribbler = 1;
    std::int32_t dribbleMark = 1;
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
