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

bool addressMessage(Message& message, bool menuShown)
{
    switch (message.kind) {
    case MessageKind::keyDown:
        message.target = menuShown ? MessageTarget::menuDialog : MessageTarget::mainWindow;
        return true;
    case MessageKind::menuOk:
    case MessageKind::menuClose:
        message.target = MessageTarget::menuDialog;
        return menuShown;
    default:
        message.target = MessageTarget::mainWindow;
        return true;
    }
}

void HeadlessPlatform::handleOneMessage(GameState& state)
{
    if (consumed == posted)
        return;
    const ScriptEvent& event = script[consumed++];
    Message message;
    message.kind = event.kind;
    message.code = event.code;
    if (!addressMessage(message, menuShown))
        return;
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
