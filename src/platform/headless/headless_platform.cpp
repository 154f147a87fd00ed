#include "platform/headless/headless_platform.h"

#include "app/game_state.h"
#include "app/input.h"
#include "platform/headless/offscreen_view.h"
#include "render/frame.h"

HeadlessPlatform::HeadlessPlatform(std::span<const ScriptEvent> events, OffscreenView* offscreenView)
    : script(events), view(offscreenView)
{
}

void HeadlessPlatform::postEventsForTurn(std::int64_t turn)
{
    while (posted < script.size() && script[posted].turn <= turn)
        ++posted;
}

bool HeadlessPlatform::createMainWindow(GameState& state)
{
    if (view != nullptr) {
        view->makeCurrent();
        prepareView(view->width(), view->height());
    }
    state.glSetupStep = 3;
    return true;
}

void HeadlessPlatform::presentFrame()
{
    ++framesPresented;
    if (view != nullptr)
        view->present();
}

void HeadlessPlatform::destroyMainWindow()
{
    windowDestroyed = true;
    if (view != nullptr)
        view->release();
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
    lastMessage = message;
    ++messagesDispatched;
    dispatchMessage(state, *this, message);
}

void HeadlessPlatform::showMenuDialog(const char* description, const char* keyHelp)
{
    menuDescription = description;
    menuKeyHelp = keyHelp;
    menuShown = true;
}
