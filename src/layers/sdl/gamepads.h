#pragma once
// The pads connected to the desktop, through SDL's game controller API and
// its mapping database: picked up and dropped as they come and go, all of
// them playing the one team, their buttons and sticks read as keys
// (layers/common/pad_keys.h).

#include <SDL.h>

#include <array>

#include "layers/common/pad_keys.h"

class Gamepads {
public:
    // Starts SDL's game controller subsystem; pads already connected then
    // arrive as device-added events. Without it the game plays by keyboard,
    // and nothing is said.
    void open();

    // Closes the pads; called before SDL_Quit.
    void close();

    // Takes the controller events out of SDL's stream: a pad added or
    // removed, a button or the left stick moved. Returns false for any other
    // event. `press` is set when the event pressed a key.
    bool take(const SDL_Event& event, std::optional<PadPress>& press);

    // The repeat of a held button or direction that is due now, if any.
    std::optional<PadPress> due();

    // The message a press sends (see PadKeys::message).
    Message message(const PadPress& press, bool menuShown) { return keys.message(press, menuShown); }

private:
    struct Pad {
        SDL_GameController* controller = nullptr;
        SDL_JoystickID id = -1;
        int x = 0, y = 0;  // the left stick
    };

    Pad* find(SDL_JoystickID id);
    void add(int deviceIndex);
    void remove(SDL_JoystickID id);

    bool opened = false;
    // More pads at once than any desk holds; one more is left out, said once.
    static constexpr std::size_t maxPads = 32;
    std::array<Pad, maxPads> pads{};
    bool toldOfTooMany = false;
    PadKeys keys;
};
