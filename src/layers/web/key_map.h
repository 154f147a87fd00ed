#pragma once
// Browser key presses as the game's messages. A key-down arrives as the DOM
// names it: `key`, what it types in the player's layout ("a", "Enter",
// "ArrowLeft"), and `code`, where it sits on the keyboard ("KeyA").

#include <string_view>

#include "platform/messages.h"

struct BrowserKey {
    std::string_view key;
    std::string_view code;
    bool alt = false;
};

// The virtual-key code of a key, or -1 for keys that have none. Letters are
// taken by what the key types, so Shift and Caps Lock make no difference; a
// layout without Latin letters falls back to the key's position.
int virtualKeyCode(const BrowserKey& key);

// What one key-down becomes, given whether the MENU dialog is shown (it then
// takes the keys). Returns false when the press means nothing to the game
// and is dropped: Alt with a key (Alt+F4 is a close request), F10, keys
// without a code. The rules are the desktop game's.
bool messageForKey(const BrowserKey& key, bool menuShown, Message& out);
