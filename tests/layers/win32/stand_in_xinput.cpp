// A stand-in xinput1_4.dll for the Wine test: pad 0 is whatever the file
// pad.txt in the working directory says, read afresh at every call, as
// "BUTTONS STICK_X STICK_Y" (XInput's button bits, its stick with y growing
// upwards); no file, or "none", is no pad. The other three slots are empty.

#include <windows.h>

#include <xinput.h>

#include <cstdio>

extern "C" __declspec(dllexport) DWORD WINAPI XInputGetState(DWORD pad, XINPUT_STATE* state)
{
    if (pad != 0)
        return ERROR_DEVICE_NOT_CONNECTED;
    std::FILE* file = std::fopen("pad.txt", "r");
    if (file == nullptr)
        return ERROR_DEVICE_NOT_CONNECTED;
    unsigned buttons = 0;
    int x = 0, y = 0;
    const bool read = std::fscanf(file, "%x %d %d", &buttons, &x, &y) == 3;
    std::fclose(file);
    if (!read)
        return ERROR_DEVICE_NOT_CONNECTED;
    static DWORD packet = 0;
    *state = XINPUT_STATE{};
    state->dwPacketNumber = ++packet;
    state->Gamepad.wButtons = static_cast<WORD>(buttons);
    state->Gamepad.sThumbLX = static_cast<SHORT>(x);
    state->Gamepad.sThumbLY = static_cast<SHORT>(y);
    return ERROR_SUCCESS;
}
