#pragma once
// The main window's and the MENU dialog's message handling: key presses become
// one-frame latches and requests, Escape and close requests shut the game down.

#include "platform/platform.h"

struct GameState;

extern const char* const menuDescriptionText;
extern const char* const menuKeyHelpText;

// Messages addressed to the main window.
void windowProcedure(GameState& state, Platform& platform, const Message& message);

// Messages addressed to the MENU dialog. Returns true when the message was
// handled (OK and the close command), false otherwise.
bool menuDialogProcedure(GameState& state, Platform& platform, const Message& message);

// Hands a message to the procedure of the window it is addressed to.
void dispatchMessage(GameState& state, Platform& platform, const Message& message);
