#include "app/input.h"

#include "state/game_state.h"
#include "app/main_loop.h"

const char* const menuDescriptionText =
    "BRIGHTWICKET SOCCER - The game supports on 16:9 aspect ratio screens only. "
    "Brightwicket Tollavar Soccer is a small and fun soccer game in which a team having two "
    "players have to score four goals to win in 25 attempts. Made by Quennick.";

const char* const menuKeyHelpText =
    "Keyboard controls of the game - Use the M key for in game Menu. Use the Enter key to go "
    "to the play screen. Use the arrow keys to move the player. Use the A key to pass the "
    "soccer ball. Use the S key to shoot the soccer ball at the goal. The shot is taken at a "
    "random direction on the goal. Use the Z key to switch the music on and off. Use the P key "
    "to play and use the R key to restart the game when the game is paused. Use the P key to "
    "resume the game from the paused state. Use the Escape key to quit the game.";

namespace {

// A gated key acts only inside the main loop's message step, and closes the
// gate when it does, so at most one key acts per frame.
bool takeGate(GameState& state)
{
    if (state.inputGate != inputGate::open)
        return false;
    state.inputGate = inputGate::shut;
    return true;
}

void showMenu(GameState& state, Platform& platform)
{
    platform.showCursor(true);
    platform.showMenuDialog(menuDescriptionText, menuKeyHelpText);
    state.menuVisible = 1;
}

void closeMenu(GameState& state, Platform& platform)
{
    state.menuVisible = 0;
    state.refocusRequest = refocusRequest::dialogClosed;
    platform.showCursor(false);
    platform.endMenuDialog();
}

void keyDown(GameState& state, Platform& platform, int code)
{
    switch (code) {
    case vk::escape:
        shutdownSequence(state, platform);
        return;
    case vk::enter: if (takeGate(state)) state.enterLatch = 1; return;
    case vk::left:  if (takeGate(state)) state.leftLatch = 1; return;
    case vk::up:    if (takeGate(state)) state.upLatch = 1; return;
    case vk::right: if (takeGate(state)) state.rightLatch = 1; return;
    case vk::down:  if (takeGate(state)) state.downLatch = 1; return;
    case vk::a:     if (takeGate(state)) state.passState = passState::requested; return;
    case vk::p:     if (takeGate(state)) state.pauseLatch = 1; return;
    case vk::r:     if (takeGate(state)) state.restartLatch = 1; return;
    case vk::s:     if (takeGate(state)) state.shotState = shotState::requested; return;
    case vk::m:
        if (state.inputGate == inputGate::open && state.menuVisible == 0)
            showMenu(state, platform);
        takeGate(state);
        return;
    case vk::z:
        if (state.inputGate == inputGate::open) {
            if (state.musicState == musicState::silent)
                state.musicState = musicState::start;
            else if (state.musicState == musicState::playing)
                state.musicState = musicState::stop;
        }
        takeGate(state);
        return;
    default:
        return;
    }
}

}  // namespace

void windowProcedure(GameState& state, Platform& platform, const Message& message)
{
    switch (message.kind) {
    case MessageKind::keyDown:
        keyDown(state, platform, message.code);
        break;
    case MessageKind::close:
        shutdownSequence(state, platform);
        break;
    default:
        break;
    }
}

bool menuDialogProcedure(GameState& state, Platform& platform, const Message& message)
{
    if (message.kind == MessageKind::menuOk || message.kind == MessageKind::menuClose) {
        closeMenu(state, platform);
        return true;
    }
    return false;
}

void dispatchMessage(GameState& state, Platform& platform, const Message& message)
{
    if (message.target == MessageTarget::menuDialog)
        menuDialogProcedure(state, platform, message);
    else
        windowProcedure(state, platform, message);
}
