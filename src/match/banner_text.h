#pragma once
// Which text the banner shows: title, pause notice, running score, or the
// result of the finished match. Every text starts with nine blanks.

struct GameState;

extern const char* const titleText;
extern const char* const pauseText;

// Once per frame, after the banner grid was cleared and before the text is
// plotted. Includes the end-of-match tests, which never run while paused.
void bannerTextStep(GameState& state);

// The result texts, set by the end-of-match tests.
void setVictoryText(GameState& state);
void setDefeatText(GameState& state);

// Victory at 4 goals, defeat at 25 attempts; run from the banner text step,
// never while paused. The defeat test comes last, so it wins a tie.
void endOfMatchTests(GameState& state);
