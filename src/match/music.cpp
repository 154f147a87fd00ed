#include "match/music.h"

#include "state/game_state.h"
#include "platform/platform.h"

void musicStep(GameState& state, Platform& platform)
{
    if (state.musicState == musicState::start) {
        platform.startMusic();
        state.musicState = musicState::startedSettling;
        state.musicFrames = 1;
    } else if (state.musicState == musicState::stop) {
        platform.stopMusic();
        state.musicState = musicState::stoppedSettling;
        state.musicFrames = 1;
    } else if (state.musicFrames > 60 && state.musicState == musicState::startedSettling) {
        state.musicState = musicState::playing;
        state.musicFrames = 1;
    } else if (state.musicFrames > 60 && state.musicState == musicState::stoppedSettling) {
        state.musicState = musicState::silent;
        state.musicFrames = 1;
    } else {
        ++state.musicFrames;
    }
}
