#pragma once
// Word of a broken X display. Xlib's own answer is a paragraph of text and
// exit(1) in the middle of a frame; the game ends its outputs first and says
// it in one line.

#include <functional>

// Puts the game's handlers in place of Xlib's (on X only).
void watchDisplay();

// The connection broke (the server went away): `action` runs, the loss is
// told in one line and the program ends with status 1. Null: nothing runs.
void setDisplayLostAction(std::function<void()> action);

// Any other fault of the display (another client destroyed a window of the
// game) was told in one line; the game shuts down normally.
bool displayFailed();
