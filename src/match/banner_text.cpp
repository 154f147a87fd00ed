#include "match/banner_text.h"

#include <charconv>

#include "state/game_state.h"
#include "match/match_flow.h"

const char* const titleText = "         brightwicket soccer         press m key for menu";
const char* const pauseText = "         game paused";

namespace {

// Appends the counter in decimal. The text's capacity is reserved up front,
// so rebuilding it every frame never allocates.
void appendNumber(std::string& text, std::int32_t value)
{
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

void setScoreText(GameState& state)
{
    state.bannerText.assign("         goals  ");
    appendNumber(state.bannerText, state.goals);
    state.bannerText.append("   attempts  ");
    appendNumber(state.bannerText, state.attempts);
}

}  // namespace

void setVictoryText(GameState& state)
{
    state.bannerText.assign("         victory... goals  ");
    appendNumber(state.bannerText, state.goals);
}

void setDefeatText(GameState& state)
{
    state.bannerText.assign("         defeat... attempts  ");
    appendNumber(state.bannerText, state.attempts);
}

void endOfMatchTests(GameState& state)
{
    if (state.goals >= goalsToWin) {
        state.matchPhase = matchPhase::title;
        state.resetRequest = resetRequest::restore;
        setVictoryText(state);
    }
    if (state.attempts >= attemptsToLose) {
        state.matchPhase = matchPhase::title;
        state.resetRequest = resetRequest::restore;
        setDefeatText(state);
    }
}

void bannerTextStep(GameState& state)
{
    if (state.matchPhase == matchPhase::title && state.pauseState == pauseState::running) {
        state.resetRequest = resetRequest::restore;
        state.bannerText.assign(titleText);
    }
    if (state.matchPhase == matchPhase::play) {
        if (state.pauseState == pauseState::pausing)
            state.bannerText.assign(pauseText);
        if (state.pauseState != pauseState::running)
            return;
        if (state.attempts < attemptsToLose && state.goals < goalsToWin)
            setScoreText(state);
    }
    if (state.pauseState != pauseState::running)
        return;
    endOfMatchTests(state);
}
