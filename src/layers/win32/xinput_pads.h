#pragma once
// Gamepads through XInput, read once a turn and played as keys through the
// shared pad table. The DLL is looked for when the game starts: xinput1_4,
// else xinput9_1_0; without either the game is played by keyboard alone.
// Up to four pads come and go while the game runs, without a word.

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "layers/common/pad_keys.h"

class XInputPads {
public:
    // The DLL stays loaded until the process ends: it may run threads of
    // its own (Wine's does), which must never find their code unmapped.
    XInputPads();
    XInputPads(const XInputPads&) = delete;
    XInputPads& operator=(const XInputPads&) = delete;

    // Reads the pads: the key-downs that their changes and held buttons
    // make, oldest first (valid until the next poll).
    std::span<const PadPress> poll(std::int64_t ms);

    // The message for a press, as PadKeys::message gives it.
    Message message(const PadPress& press, bool menuShown) { return keys.message(press, menuShown); }

private:
    static constexpr int padCount = 4;
    // An empty slot is asked again only now and then: asking is slow.
    static constexpr std::int64_t emptySlotMs = 500;

    struct PadState {
        bool connected = false;
        std::int64_t nextLook = 0;  // for an empty slot
        WORD buttons = 0;
        SHORT x = 0, y = 0;
    };

    void readPad(int pad, std::int64_t ms);
    void add(const std::optional<PadPress>& press);

    using GetState = DWORD(WINAPI*)(DWORD, void*);
    HMODULE library = nullptr;
    GetState getState = nullptr;
    PadState pads[padCount];
    PadKeys keys;
    // Eleven buttons and a stick a pad, and a repeat.
    std::array<PadPress, padCount * 12 + 1> made{};
    std::size_t madeCount = 0;
};
