#include "layers/sdl/playback.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

void Playback::record(std::int64_t turn, MessageKind kind, std::int32_t code)
{
    if (recordFile == nullptr)
        return;
    const ScriptEvent event{static_cast<std::int32_t>(std::min(turn, maxScriptTurn)), kind,
                            static_cast<std::uint8_t>(code)};
    recordFile->write(formatScriptEvent(event) + "\n");
    recordFile->flush();
}

void Playback::watch(std::span<const ScriptEvent> events, std::int64_t endTurn)
{
    watched = true;
    player = ScriptPlayer(events, endTurn);
}

Playback::Steer Playback::steer(const SDL_KeyboardEvent& key)
{
    const bool down = key.state == SDL_PRESSED;
    switch (key.keysym.sym) {
    case SDLK_ESCAPE:
        return down ? Steer::close : Steer::nothing;
    case SDLK_F4:
        return down && (key.keysym.mod & KMOD_ALT) != 0 ? Steer::close : Steer::nothing;
    case SDLK_SPACE:
        if (!down || key.repeat != 0)
            return Steer::nothing;
        pausedNow = !pausedNow;
        return pausedNow ? Steer::pause : Steer::resume;
    case SDLK_RIGHT:
        skimming = down;
        return Steer::nothing;
    default:
        return Steer::nothing;
    }
}

bool Playback::holds(std::int64_t turn, bool menuShown) const
{
    if (!watched)
        return false;
    return pausedNow || player.overBefore(turn) || player.endsGameIn(turn, menuShown);
}

bool Playback::next(std::int64_t turn, Message& message)
{
    player.postUpTo(turn);
    return player.take(message);
}

std::int64_t Playback::clockNanoseconds() const
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
               .count() +
           skimmedNs;
}

void Playback::sleepMilliseconds(std::int64_t ms)
{
    if (skimming)
        skimmedNs += ms * 1'000'000;
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
