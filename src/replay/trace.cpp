#include "replay/trace.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
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

namespace {

using Wide = unsigned __int128;

constexpr std::uint32_t billion = 1'000'000'000;

template <typename T, int N>
constexpr std::array<T, N> powers(T base)
{
    std::array<T, N> p{};
    p[0] = 1;
    for (int i = 1; i < N; ++i)
        p[i] = p[i - 1] * base;
    return p;
}
constexpr auto powersOf5 = powers<std::uint64_t, 28>(5);  // 5^27 < 2^64
constexpr auto powersOf10 = powers<Wide, 31>(10);        // 10^30 < 2^128

// What a quotient leaves after its integer part: nothing, less than a half,
// exactly a half, more than a half.
enum class Rest { none, belowHalf, half, aboveHalf };

Rest restOf(bool halfBit, bool bitsBelowHalf)
{
    return halfBit ? (bitsBelowHalf ? Rest::aboveHalf : Rest::half) : (bitsBelowHalf ? Rest::belowHalf : Rest::none);
}

// The integer part of m * 5^k / 2^shift and its rest, exactly; shift > 0.
std::uint64_t scaledDown(std::uint32_t m, int k, int shift, Rest& rest)
{
    if (k < 18 && shift < 64) {  // the usual sizes: all within 64 bits
        const std::uint64_t a = m * powersOf5[k];
        rest = restOf((a >> (shift - 1)) & 1, (a & ((std::uint64_t(1) << (shift - 1)) - 1)) != 0);
        return a >> shift;
    }
    if (k < 28) {
        const Wide a = Wide(m) * powersOf5[k];
        rest = restOf((a >> (shift - 1)) & 1, (a & ((Wide(1) << (shift - 1)) - 1)) != 0);
        return static_cast<std::uint64_t>(a >> shift);
    }
    // Up to 148 bits, in three limbs: m * 5^(k-27) * 5^27.
    const Wide a = Wide(m) * powersOf5[k - 27];
    const Wide low = Wide(static_cast<std::uint64_t>(a)) * powersOf5[27];
    const Wide high = (a >> 64) * powersOf5[27] + (low >> 64);
    const std::uint64_t limbs[3] = {static_cast<std::uint64_t>(low), static_cast<std::uint64_t>(high),
                                    static_cast<std::uint64_t>(high >> 64)};
    const int halfLimb = (shift - 1) / 64, halfAt = (shift - 1) % 64;
    bool below = (limbs[halfLimb] & ((std::uint64_t(1) << halfAt) - 1)) != 0;
    for (int i = 0; i < halfLimb; ++i)
        below |= limbs[i] != 0;
    rest = restOf((limbs[halfLimb] >> halfAt) & 1, below);
    const int limb = shift / 64, at = shift % 64;
    std::uint64_t whole = limbs[limb] >> at;
    if (at != 0 && limb < 2)
        whole |= limbs[limb + 1] << (64 - at);
    return whole;
}

// Bits needed for m (std::bit_width, which emscripten 3.1.6's library lacks).
int bitWidth(std::uint32_t m)
{
    int width = 0;
    for (; m != 0; m >>= 1)
        ++width;
    return width;
}

// m * 2^e (0 < m < 2^24) as nine significant digits, rounded half to even on
// the exact binary value, and the decimal exponent of the first digit.
std::uint32_t nineDigits(std::uint32_t m, int e, int& exponent)
{
    // floor(log10(2) * floor(log2(value))): the exponent or one below it.
    int x = ((e + bitWidth(m) - 1) * 78913) >> 18;
    const int k = 8 - x;  // digits = value * 10^k
    std::uint64_t digits;
    Rest rest = Rest::none;
    if (k < 0) {
        const Wide a = Wide(m) << e, divisor = powersOf10[-k];
        const Wide twiceRemainder = 2 * (a % divisor);
        digits = static_cast<std::uint64_t>(a / divisor);
        rest = restOf(twiceRemainder >= divisor, twiceRemainder != 0 && twiceRemainder != divisor);
    } else if (e + k >= 0) {
        digits = static_cast<std::uint64_t>((Wide(m) * powersOf5[k]) << (e + k));
    } else {
        digits = scaledDown(m, k, -(e + k), rest);
    }
    if (digits >= billion) {  // one digit too many: the exponent is one more
        const auto last = digits % 10;
        digits /= 10;
        ++x;
        rest = last == 5 ? (rest == Rest::none ? Rest::half : Rest::aboveHalf)
                         : restOf(last > 5, last != 0 || rest != Rest::none);
    }
    if (rest == Rest::aboveHalf || (rest == Rest::half && (digits & 1) != 0))
        ++digits;
    if (digits == billion) {
        digits /= 10;
        ++x;
    }
    exponent = x;
    return static_cast<std::uint32_t>(digits);
}

constexpr char digitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

}  // namespace

char* formatTraceFloat(char* out, float value)
{
    std::uint32_t bits = 0;  // memcpy, not std::bit_cast: emscripten 3.1.6's library lacks it
    std::memcpy(&bits, &value, sizeof bits);
    const std::uint32_t biased = (bits >> 23) & 0xff, fraction = bits & 0x7fffff;
    if (biased == 0xff && fraction != 0) {
        std::memcpy(out, "nan", 3);
        return out + 3;
    }
    if (bits >> 31)
        *out++ = '-';
    if (biased == 0xff) {
        std::memcpy(out, "inf", 3);
        return out + 3;
    }
    if (biased == 0 && fraction == 0) {
        *out = '0';
        return out + 1;
    }
    // printf's "%.9g": nine significant digits, trailing zeros dropped, plain
    // notation for exponents -4 to 8, else d.ddde+XX.
    int x = 0;
    const std::uint32_t digits = biased == 0 ? nineDigits(fraction, -149, x)
                                       : nineDigits(fraction | 0x800000, static_cast<int>(biased) - 150, x);
    char text[9];
    text[0] = static_cast<char>('0' + digits / 100'000'000);
    const std::uint32_t high = digits / 10'000 % 10'000, low = digits % 10'000;
    std::memcpy(text + 1, digitPairs + 2 * (high / 100), 2);
    std::memcpy(text + 3, digitPairs + 2 * (high % 100), 2);
    std::memcpy(text + 5, digitPairs + 2 * (low / 100), 2);
    std::memcpy(text + 7, digitPairs + 2 * (low % 100), 2);
    int count = 9;
    while (text[count - 1] == '0')
        --count;
    if (x < -4 || x > 8) {
        *out++ = text[0];
        if (count > 1) {
            *out++ = '.';
            std::memcpy(out, text + 1, count - 1);
            out += count - 1;
        }
        *out++ = 'e';
        *out++ = x < 0 ? '-' : '+';
        std::memcpy(out, digitPairs + 2 * std::abs(x), 2);
        return out + 2;
    }
    if (x < 0) {
        std::memcpy(out, "0.000", 1 - x);
        std::memcpy(out + 1 - x, text, count);
        return out + 1 - x + count;
    }
    const int whole = x + 1;
    std::memcpy(out, text, whole);
    if (count <= whole)
        return out + whole;
    out[whole] = '.';
    std::memcpy(out + whole + 1, text + whole, count - whole);
    return out + count + 1;
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
