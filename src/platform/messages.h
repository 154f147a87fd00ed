#pragma once
// What reaches the game from outside: messages for its two procedures, and
// the virtual-key codes of the keys it knows. Scripts, recordings and every
// layer speak in these.

#include <cstdint>

// A message as the game's two procedures see it. The layer decides where a
// message goes: while the MENU dialog is the active window, key presses are
// addressed to it instead of the main window.
enum class MessageKind : std::uint8_t {
    keyDown,    // a key went down; `code` is its virtual-key code 0..255
    close,      // close request to the main window (close box, Alt+F4)
    menuOk,     // the OK button of the MENU dialog was pressed
    menuClose,  // the close command of the MENU dialog (its close box)
    other,      // anything else; handed to the default handling, no effect
};

enum class MessageTarget : std::uint8_t { mainWindow, menuDialog };

struct Message {
    MessageKind kind = MessageKind::other;
    MessageTarget target = MessageTarget::mainWindow;
    std::int32_t code = 0;  // a key-down's virtual-key code
};

// Virtual-key codes of the keys the game knows.
namespace vk {
constexpr int enter = 13, escape = 27, left = 37, up = 38, right = 39, down = 40;
constexpr int a = 65, m = 77, p = 80, r = 82, s = 83, z = 90;
}
