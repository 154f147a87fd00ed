#include "platform/headless/headless_platform.h"

#include "app/game_state.h"
#include "app/input.h"

HeadlessPlatform::HeadlessPlatform(std::span<const ScriptEvent> events, bool drawsFrames)
    : script(events), draws(drawsFrames)
{
}

void HeadlessPlatform::postEventsForTurn(std::int64_t turn)
{
    while (posted < script.size() && script[posted].turn <= turn)
        ++posted;
}

bool HeadlessPlatform::createMainWindow(GameState& state)
{
    state.glSetupStep = 3;
    return true;
}

void HeadlessPlatform::handleOneMessage(GameState& state)
{
    if (consumed == posted)
        return;
    const ScriptEvent& event = script[consumed++];
    Message message;
    message.kind = event.kind;
    message.code = event.code;
    switch (event.kind) {
    case MessageKind::keyDown:
        // The shown dialog is the active window and takes the keys.
        message.target = menuShown ? MessageTarget::menuDialog : MessageTarget::mainWindow;
        break;
    case MessageKind::menuOk:
    case MessageKind::menuClose:
        if (!menuShown)
            return;  // nobody can click a hidden dialog
        message.target = MessageTarget::menuDialog;
        break;
    default:
        message.target = MessageTarget::mainWindow;
        break;
    }
    dispatchMessage(state, *this, message);
}

void HeadlessPlatform::showMenuDialog(const char* description, const char* keyHelp)
{
    menuDescription = description;
    menuKeyHelp = keyHelp;
    menuShown = true;
}
