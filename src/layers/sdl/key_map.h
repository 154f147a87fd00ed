#pragma once
// SDL key presses as the game's messages: the virtual-key code of each key,
// and who gets it.

#include <SDL_keycode.h>

#include <cstdint>

#include "platform/messages.h"

// The virtual-key code of a key, or -1 for keys that have none. Letters are
// taken by key, so Shift and Caps Lock make no difference; a layout without
// Latin letters falls back to the key's position.
int virtualKeyCode(SDL_Keycode sym, SDL_Scancode scancode);

// What one key-down becomes, given the modifiers held and whether the MENU
// dialog is the active window. Returns false when the press means nothing to
// the game and is dropped without using up a turn (Alt with a key, F10: the
// system keys of the desktop; keys without a code).
bool messageForKey(SDL_Keycode sym, SDL_Scancode scancode, std::uint16_t modifiers,
                   bool menuActive, Message& out);
