#include "platform/headless/headless_platform.h"

#include "state/game_state.h"
#include "app/input.h"
#include "platform/headless/offscreen_view.h"
#include "platform/message_address.h"
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
