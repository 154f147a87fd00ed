#include "layers/common/script_player.h"

void ScriptPlayer::postUpTo(std::int64_t turn)
{
    while (posted < script.size() && script[posted].turn <= turn)
        ++posted;
}

bool ScriptPlayer::take(Message& message)
{
    if (consumed == posted)
        return false;
    const ScriptEvent& event = script[consumed++];
    message = Message{event.kind, MessageTarget::mainWindow, event.code};
    return true;
}

bool ScriptPlayer::endsGameIn(std::int64_t turn, bool menuShown) const
{
    // Only the oldest event can be handed over, and only once its turn came.
    if (consumed == script.size() || script[consumed].turn > turn)
        return false;
    const ScriptEvent& next = script[consumed];
    return next.kind == MessageKind::close ||
           (next.kind == MessageKind::keyDown && next.code == vk::escape && !menuShown);
}
