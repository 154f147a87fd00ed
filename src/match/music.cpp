#include "match/music.h"

#include "state/game_state.h"
#include "platform/platform.h"

void musicStep(GameState& state, Platform& platform)
{
    if (state.musicState == 0) {
        platform.startMusic();
        state.musicState = 1;
        state.musicFrames = 1;
    } else if (state.musicState == 3) {
        platform.stopMusic();
        state.musicState = 4;
        state.musicFrames = 1;
    } else if (state.musicFrames > 60 && state.musicState == 1) {
        state.musicState = 2;
        state.musicFrames = 1;
    } else if (state.musicFrames > 60 && state.musicState == 4) {
        state.musicState = 5;
        state.musicFrames = 1;
    } else {
        ++state.musicFrames;
    }
}
