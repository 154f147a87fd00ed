#pragma once
// Background music: a small state machine stepped once per frame. The music
// starts on the first frame; Z switches it off and on, with a hold of 61
// frames after each switch before the next Z is accepted.

struct GameState;
class Platform;

// musicState: 0 to start, 1 playing (Z not yet accepted), 2 playing, 3 to
// stop, 4 silent (Z not yet accepted), 5 silent.
void musicStep(GameState& state, Platform& platform);
