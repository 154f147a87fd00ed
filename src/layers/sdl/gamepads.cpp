#include "layers/sdl/gamepads.h"

#include <string>

#include "layers/posix/stop_signals.h"

namespace {

std::optional<PadButton> padButton(Uint8 button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return PadButton::south;
    case SDL_CONTROLLER_BUTTON_B: return PadButton::east;
    case SDL_CONTROLLER_BUTTON_X: return PadButton::west;
    case SDL_CONTROLLER_BUTTON_Y: return PadButton::north;
    case SDL_CONTROLLER_BUTTON_BACK: return PadButton::back;
    case SDL_CONTROLLER_BUTTON_START: return PadButton::start;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return PadButton::leftShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadButton::dpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadButton::dpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadButton::dpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadButton::dpadRight;
    default: return std::nullopt;
    }
}

std::int64_t now()
{
    return static_cast<std::int64_t>(SDL_GetTicks64());
}

}  // namespace

void Gamepads::open()
{
    opened = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

void Gamepads::close()
{
    for (Pad& pad : pads)
        if (pad.controller != nullptr)
            remove(pad.id);
    if (opened)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    opened = false;
}

bool Gamepads::take(const SDL_Event& event, std::optional<PadPress>& press)
{
    press.reset();
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        add(event.cdevice.which);
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        remove(event.cdevice.which);
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (const auto button = padButton(event.cbutton.button); button && find(event.cbutton.which) != nullptr)
            press = keys.button(event.cbutton.which, *button, event.cbutton.state == SDL_PRESSED, now());
        return true;
    case SDL_CONTROLLERAXISMOTION:
        if (Pad* pad = find(event.caxis.which)) {
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
                pad->x = event.caxis.value;
            else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                pad->y = event.caxis.value;
            else
                return true;  // the right stick and the triggers are not used
            press = keys.stick(pad->id, pad->x, pad->y, now());
        }
        return true;
    default:
        return false;
    }
}

std::optional<PadPress> Gamepads::due()
{
    return keys.due(now());
}

Gamepads::Pad* Gamepads::find(SDL_JoystickID id)
{
    for (Pad& pad : pads)
        if (pad.controller != nullptr && pad.id == id)
            return &pad;
    return nullptr;
}

void Gamepads::add(int deviceIndex)
{
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr)
        return;  // gone again already, or not a pad SDL can map
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    Pad* free = nullptr;
    for (Pad& pad : pads)
        if (pad.controller == nullptr && free == nullptr)
            free = &pad;
    // Told twice of one pad, or one pad too many: SDL counts the opening.
    if (find(id) != nullptr || free == nullptr) {
        if (free == nullptr && !toldOfTooMany) {
            reportProblem("more than " + std::to_string(maxPads) + " pads are connected; the game reads the first " +
                              std::to_string(maxPads),
                          0);
            toldOfTooMany = true;
        }
        SDL_GameControllerClose(controller);
        return;
    }
    *free = Pad{controller, id, 0, 0};
}

void Gamepads::remove(SDL_JoystickID id)
{
    if (Pad* pad = find(id)) {
        keys.drop(id, now());
        SDL_GameControllerClose(pad->controller);
        *pad = Pad{};
    }
}
