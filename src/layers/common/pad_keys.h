#pragma once
// A gamepad played as the keyboard: buttons and the left stick become the
// key-downs of the keys they stand for, and whatever is held repeats like a
// held key. Knows nothing of SDL: it is told of button and stick changes with
// the time in milliseconds, so any layer with pads (and a test with a fake
// clock) can drive it: the desktop's SDL events and the browser's polled
// gamepads alike.

#include <array>
#include <cstdint>
#include <optional>

#include "platform/messages.h"

// The buttons the game uses, named by their place on the pad: South is A on
// an Xbox pad and Cross on a PlayStation one.
enum class PadButton : std::uint8_t {
    south, east, west, north, back, start, leftShoulder, dpadUp, dpadDown, dpadLeft, dpadRight
};

// One key-down made by a pad.
struct PadPress {
    int code = 0;         // virtual-key code
    bool repeat = false;  // the auto-repeat of a held button or direction
    bool operator==(const PadPress&) const = default;
};

class PadKeys {
public:
    static constexpr std::int64_t firstRepeatMs = 250;  // as a desktop's key repeat
    static constexpr std::int64_t repeatMs = 33;        // about 30 a second
    static constexpr int stickDeadZone = 16384;         // half the stick's travel

    // Pads are told apart by any number that stays the same while one is
    // connected. A press gives the key-down it stands for; releases and
    // buttons the game has no use for give nothing.
    std::optional<PadPress> button(int pad, PadButton button, bool down, std::int64_t ms);

    // The left stick now stands at (x, y), each -32768..32767 with y growing
    // downwards. Out of the dead zone it is the nearest of the four arrows.
    std::optional<PadPress> stick(int pad, int x, int y, std::int64_t ms);

    // The pad is gone: everything it held is let go.
    void drop(int pad, std::int64_t ms);

    // The message a press from button(), stick() or due() sends. While the
    // MENU dialog is shown a fresh South (A) or Start (Enter) presses its OK
    // button, and that button is then used up until it is let go: held on,
    // it repeats nothing into the game the dialog uncovers. Anything else is
    // a key-down as the keyboard would send it.
    Message message(const PadPress& press, bool menuShown);

    // Called every turn: the repeat that is due by `ms`, if any. Only the
    // newest held button or direction repeats, as only the last key pressed
    // does on a keyboard; when it is let go, the one held before it goes on
    // repeating at the repeat rate, so a stick held through a pass keeps running.
    // A late call makes one repeat, never a burst.
    std::optional<PadPress> due(std::int64_t ms);

private:
    static constexpr std::uint8_t stickSource = 255;
    struct Held {
        int pad;
        std::uint8_t source;  // a PadButton, or stickSource
        int code;
        bool usedUp;  // it pressed the dialog's OK: silent until let go
    };

    std::optional<PadPress> press(int pad, std::uint8_t source, int code, std::int64_t ms);
    void letGo(int pad, std::uint8_t source, std::int64_t ms);

    std::array<Held, 32> held{};  // oldest first; the last one repeats
    int heldCount = 0;
    std::int64_t nextRepeat = 0;
};
