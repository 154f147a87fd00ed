#include "replay/trace.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "state/game_state.h"

const char* const traceHeader =
    "frame,matchPhase,pauseState,pauseFrames,goals,attempts,resetRequest,"
    "musicState,musicFrames,menuVisible,controlledPlayer,ballHolder,ballInFlight,"
    "passState,passDirection,shotState,dribbler,dribbleMark,dribbleFacing,"
    "passAngle,shotAngleUpper,shotAngleLower,ball.x,ball.y,ball.z,pitch.x,pitch.y,"
    "player1.x,player1.y,player1.heading,player2.x,player2.y,player2.heading,"
    "defender1.x,defender1.y,defender1.chaseAngle,defender2.x,defender2.y,"
    "defender2.chaseAngle,defender3.x,defender3.y,defender3.chaseAngle,"
    "keeper.x,keeper.y,keeper.ballAngle,bannerText,bannerBlack";

char* formatTraceFloat(char* out, float value)
{
    if (std::isnan(value)) {
        std::memcpy(out, "nan", 3);
        return out + 3;
    }
    // Same digits as printf's "%.9g" of the value, without the cost of printf.
    return std::to_chars(out, out + 32, value, std::chars_format::general, 9).ptr;
}

namespace {

char* putInt(char* out, std::int64_t value)
{
    return std::to_chars(out, out + 24, value).ptr;
}

}  // namespace

std::size_t formatTraceRow(char* out, std::int64_t frame, const GameState& s)
{
    char* p = out;
    auto i = [&p](std::int64_t v) { p = putInt(p, v); *p++ = ','; };
    auto f = [&p](float v) { p = formatTraceFloat(p, v); *p++ = ','; };

    i(frame);
    i(s.matchPhase); i(s.pauseState); i(s.pauseFrames); i(s.goals); i(s.attempts);
    i(s.resetRequest); i(s.musicState); i(s.musicFrames); i(s.menuVisible);
    i(s.controlledPlayer); i(s.ballHolder); i(s.ballInFlight); i(s.passState);
    i(s.passDirection); i(s.shotState); i(s.dribbler); i(s.dribbleMark);
    f(s.dribbleFacing); f(s.passAngle); f(s.shotAngleUpper); f(s.shotAngleLower);
    f(s.ball.x); f(s.ball.y); f(s.ball.z); f(s.pitch.x); f(s.pitch.y);
    f(s.player1.x); f(s.player1.y); f(s.player1.heading);
    f(s.player2.x); f(s.player2.y); f(s.player2.heading);
    for (const Defender* d : {&s.defender1, &s.defender2, &s.defender3}) {
        f(d->x); f(d->y); f(d->chaseAngle);
    }
    f(s.keeper.x); f(s.keeper.y); f(s.keeper.ballAngle);

    // The game only composes short texts; a longer one is cut, never overrun.
    constexpr std::size_t maxText = traceRowCapacity - 1024;
    const std::size_t length = std::min(s.bannerText.size(), maxText);
    *p++ = '"';
    std::memcpy(p, s.bannerText.data(), length);
    p += length;
    *p++ = '"';
    *p++ = ',';
    p = putInt(p, s.bannerBlackCells);
    *p++ = '\n';
    return static_cast<std::size_t>(p - out);
}

void TraceWriter::writeHeader()
{
    if (file == nullptr)
        return;
    if (std::fputs(traceHeader, file) < 0 || std::fputc('\n', file) == EOF)
        failed = true;
}

void TraceWriter::writeRow(std::int64_t frame, const GameState& state)
{
    if (file == nullptr)
        return;
    char row[traceRowCapacity];
    const std::size_t length = formatTraceRow(row, frame, state);
    if (std::fwrite(row, 1, length, file) != length)
        failed = true;
}

bool TraceWriter::close()
{
    if (file == nullptr)
        return !failed;
    if (std::fflush(file) != 0)
        failed = true;
    if (file != stdout && std::fclose(file) != 0)
        failed = true;
    file = nullptr;
    return !failed;
}
