#pragma once
// The frame routine: the fixed sequence of steps that every turn of the main
// loop runs once.

struct GameState;
class Platform;

void runFrame(GameState& state, Platform& platform);

// The title view's own effect on the game: the anchor and player1 are put
// back in every title frame.
void placeTitleView(GameState& state);

// The first frame after the MENU dialog closed gives the main window back
// its focus.
void reactivationStep(GameState& state, Platform& platform);

// The fixed pause that ends every frame.
void framePause(Platform& platform);

// Draws the game as it stands once more, for a held frame whose window was
// uncovered or resized while no turn runs (a paused or ended watch). Runs no
// step and leaves the state as it found it, drawing scratch included. Before
// the first frame (glSetupStep 3) the projection it sets stays behind: the
// layer then prepares its view afresh for that frame.
void redrawFrame(GameState& state, Platform& platform);
