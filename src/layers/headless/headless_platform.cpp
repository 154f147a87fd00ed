#include "layers/headless/headless_platform.h"

#include "state/game_state.h"
#include "app/input.h"
#include "layers/headless/headless_view.h"
#include "layers/common/message_address.h"
#include "render/frame.h"

HeadlessPlatform::HeadlessPlatform(std::span<const ScriptEvent> events, HeadlessView* drawView)
    : script(events), view(drawView)
{
}

bool HeadlessPlatform::createMainWindow()
{
    if (view != nullptr) {
        view->makeCurrent();
        prepareView(view->width(), view->height());
    }
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
    Message message;
    if (!script.take(message) || !addressMessage(message, menuShown))
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
