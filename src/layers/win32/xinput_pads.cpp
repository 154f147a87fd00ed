#include "layers/win32/xinput_pads.h"

#include <xinput.h>

namespace {

struct ButtonBit {
    WORD bit;
    PadButton button;
};

constexpr ButtonBit buttonBits[] = {
    {XINPUT_GAMEPAD_A, PadButton::south},
    {XINPUT_GAMEPAD_B, PadButton::east},
    {XINPUT_GAMEPAD_X, PadButton::west},
    {XINPUT_GAMEPAD_Y, PadButton::north},
    {XINPUT_GAMEPAD_BACK, PadButton::back},
    {XINPUT_GAMEPAD_START, PadButton::start},
    {XINPUT_GAMEPAD_LEFT_SHOULDER, PadButton::leftShoulder},
    {XINPUT_GAMEPAD_DPAD_UP, PadButton::dpadUp},
    {XINPUT_GAMEPAD_DPAD_DOWN, PadButton::dpadDown},
    {XINPUT_GAMEPAD_DPAD_LEFT, PadButton::dpadLeft},
    {XINPUT_GAMEPAD_DPAD_RIGHT, PadButton::dpadRight},
};

}  // namespace

XInputPads::XInputPads()
{
    for (const wchar_t* name : {L"xinput1_4.dll", L"xinput9_1_0.dll"}) {
        library = LoadLibraryW(name);
        if (library == nullptr)
            continue;
        getState = reinterpret_cast<GetState>(reinterpret_cast<void*>(GetProcAddress(library, "XInputGetState")));
        if (getState != nullptr)
            return;
        FreeLibrary(library);
        library = nullptr;
    }
}


std::span<const PadPress> XInputPads::poll(std::int64_t ms)
{
    madeCount = 0;
    if (getState == nullptr)
        return {};
    for (int pad = 0; pad < padCount; ++pad)
        readPad(pad, ms);
    add(keys.due(ms));
    return {made.data(), madeCount};
}

void XInputPads::add(const std::optional<PadPress>& press)
{
    if (press && madeCount < made.size())
        made[madeCount++] = *press;
}

void XInputPads::readPad(int pad, std::int64_t ms)
{
    PadState& was = pads[pad];
    if (!was.connected && ms < was.nextLook)
        return;
    XINPUT_STATE now{};
    if (getState(static_cast<DWORD>(pad), &now) != ERROR_SUCCESS) {
        if (was.connected)
            keys.drop(pad, ms);
        was = PadState{};
        was.nextLook = ms + emptySlotMs;
        return;
    }
    was.connected = true;
    const XINPUT_GAMEPAD& state = now.Gamepad;
    for (const ButtonBit& button : buttonBits) {
        const bool down = (state.wButtons & button.bit) != 0;
        if (down != ((was.buttons & button.bit) != 0))
            add(keys.button(pad, button.button, down, ms));
    }
    was.buttons = state.wButtons;
    if (state.sThumbLX != was.x || state.sThumbLY != was.y) {
        // XInput's stick grows upwards; the table's grows downwards.
        const int down = state.sThumbLY == -32768 ? 32767 : -state.sThumbLY;
        add(keys.stick(pad, state.sThumbLX, down, ms));
        was.x = state.sThumbLX;
        was.y = state.sThumbLY;
    }
}
