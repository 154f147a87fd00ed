#include "sim/game_float.h"

#include <cstdint>
#include <cstring>

// Every step below is one IEEE operation in the width written, rounded to
// nearest: the build must neither contract a*b+c into one rounding nor keep
// extra precision (see -ffp-contract=off in the top CMakeLists.txt).

namespace {

// memcpy, not std::bit_cast: emscripten 3.1.6's library lacks it.
float fromBits(std::uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint32_t bitsOf(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// ---- Arctangent, all in single precision --------------------------------
//
// The argument is folded onto |t| < 7/16 about one of atan(1/2), atan(1),
// atan(3/2) and atan(inf), each held as a high part (cut short to a float)
// and the float nearest the rest, and an odd polynomial of degree 23 does the
// rest, its even and odd halves in powers of t^4.

const float atanHigh[4] = {fromBits(0x3eed6338), fromBits(0x3f490fda),
                           fromBits(0x3f7b985e), fromBits(0x3fc90fda)};
const float atanLow[4] = {fromBits(0x31ac3769), fromBits(0x33222168),
                          fromBits(0x33140fb4), fromBits(0x33a22168)};
// Coefficients of t^3, t^5, ... t^23 (signs alternate; the first is ~1/3).
const float atanPoly[11] = {
    fromBits(0x3eaaaaab), fromBits(0xbe4ccccd), fromBits(0x3e124925), fromBits(0xbde38e38),
    fromBits(0x3dba2e6e), fromBits(0xbd9d8795), fromBits(0x3d886b35), fromBits(0xbd6ef16b),
    fromBits(0x3d4bda59), fromBits(0xbd15a221), fromBits(0x3c8569d7)};

// From here on the result is pi/2 rounded, with the argument's sign.
constexpr std::uint32_t atanSaturates = 0x4c000000;  // 2^25

}  // namespace

float gameAtan(float x)
{
    const std::uint32_t bits = bitsOf(x);
    const std::uint32_t magnitude = bits & 0x7fffffffu;
    const bool negative = (bits >> 31) != 0;

    if (magnitude >= atanSaturates) {
        if (magnitude > 0x7f800000u)
            return x + x;  // NaN
        const float halfPi = atanHigh[3] + atanLow[3];
        return negative ? -halfPi : halfPi;
    }

    int fold = -1;  // which of the four reference angles, -1 for none
    float t = x;
    if (magnitude < 0x3ee00000u) {  // |x| < 7/16
        if (magnitude < 0x39800000u)  // |x| < 2^-12: the cubic term is below half an ulp
            return x;
    } else {
        t = negative ? -x : x;
        if (magnitude < 0x3f300000u) {  // < 11/16
            fold = 0;
            t = (2.0f * t - 1.0f) / (2.0f + t);
        } else if (magnitude < 0x3f980000u) {  // < 19/16
            fold = 1;
            t = (t - 1.0f) / (t + 1.0f);
        } else if (magnitude < 0x401c0000u) {  // < 39/16
            fold = 2;
            t = (t - 1.5f) / (1.0f + 1.5f * t);
        } else {
            fold = 3;
            t = -1.0f / t;
        }
    }

    const float t2 = t * t;
    const float t4 = t2 * t2;
    const float* c = atanPoly;
    const float evenHalf =
        t2 * (c[0] + t4 * (c[2] + t4 * (c[4] + t4 * (c[6] + t4 * (c[8] + t4 * c[10])))));
    const float oddHalf = t4 * (c[1] + t4 * (c[3] + t4 * (c[5] + t4 * (c[7] + t4 * c[9]))));
    if (fold < 0)
        return x - x * (evenHalf + oddHalf);
    const float angle = atanHigh[fold] - ((t * (evenHalf + oddHalf) - atanLow[fold]) - t);
    return negative ? -angle : angle;
}

namespace {

// ---- Sine and cosine, evaluated in double --------------------------------
//
// x = n pi/2 + r with |r| about pi/4 at most; sin or cos of r from a short
// minimax polynomial in double, picked and signed by n mod 4, and rounded to
// float once at the end.

constexpr double halfPi = 0x1.921fb54442d18p0;
constexpr double twoOverPiScaled = 0x1.45f306dc9c883p+23;  // 2/pi * 2^24

// cos r ~ 1 + c1 r^2 + c2 r^4 + c3 r^6 + c4 r^8
constexpr double cos1 = -0x1.ffffffd0c621cp-2, cos2 = 0x1.55553e1068f19p-5,
                 cos3 = -0x1.6c087e89a359dp-10, cos4 = 0x1.99343027bf8c3p-16;
// sin r ~ r + s1 r^3 + s2 r^5 + s3 r^7
constexpr double sin1 = -0x1.555545995a603p-3, sin2 = 0x1.1107605230bc4p-7,
                 sin3 = -0x1.994eb3774cf24p-13;

// The bits of 2/pi after the point, 32 at a time, behind one zero word so a
// window may begin before the point. Six words reach the finest bit any float
// needs.
constexpr std::uint32_t twoOverPiBits[7] = {0,          0xa2f9836e, 0x4e441529, 0xfc2757d1,
                                            0xf534ddc0, 0xdb629599, 0x3c439041};

// sin(q pi/2 + r). Both polynomials are exactly odd or even under a change of
// sign, so negating their result is the same as negating r or the
// coefficients.
double quadrantSine(double r, unsigned q)
{
    const double r2 = r * r;
    double v;
    if ((q & 1u) == 0) {
        const double r3 = r * r2;
        const double r5 = r3 * r2;
        const double tail = sin2 + r2 * sin3;
        v = (r + r3 * sin1) + r5 * tail;
    } else {
        const double r4 = r2 * r2;
        const double r6 = r4 * r2;
        const double tail = cos3 + r2 * cos4;
        v = ((1.0 + r2 * cos1) + r4 * cos2) + r6 * tail;
    }
    return (q & 2u) != 0 ? -v : v;
}

// |x| < 120: n is x 2/pi rounded (through a 2^24-scaled product cut to an
// integer), and r = x - n pi/2 in double.
double reduceNear(double x, unsigned& quadrant)
{
    const auto scaled = static_cast<std::int32_t>(x * twoOverPiScaled);
    const std::int32_t n = (scaled + (1 << 23)) >> 24;
    quadrant = static_cast<unsigned>(n);
    const double product = n * halfPi;
    return x - product;
}

// |x| >= 120, finite: |x| 2/pi in fixed point from 96 bits of 2/pi lined up
// under the mantissa, kept to 62 bits below the quadrant bits. Returns r for
// |x| (the caller restores the sign).
double reduceFar(std::uint32_t magnitude, unsigned& quadrant)
{
    const std::uint32_t exponent = magnitude >> 23;  // biased, 133..254
    const std::uint64_t mantissa = ((magnitude & 0x7fffffu) | 0x800000u) << (exponent & 7u);
    // The window's lowest bit weighs 2^-(8 (exponent / 8) - 56) after the point.
    const unsigned start = 8u * (exponent >> 3) - 120u;  // first bit, counted in twoOverPiBits
    const unsigned word = start / 32u, shift = start % 32u;
    std::uint32_t window[3];
    for (unsigned i = 0; i < 3; ++i) {
        std::uint64_t pair = (std::uint64_t{twoOverPiBits[word + i]} << 32) |
                             (word + i + 1 < 7 ? twoOverPiBits[word + i + 1] : 0u);
        window[i] = static_cast<std::uint32_t>(pair >> (32u - shift));
    }
    // mantissa * window / 2^32, modulo 2^64: the top two bits are the quadrant.
    const std::uint64_t fixed = ((mantissa * window[0]) << 32) + mantissa * window[1] +
                                ((mantissa * window[2]) >> 32);
    const std::uint64_t n = (fixed + (std::uint64_t{1} << 61)) >> 62;
    quadrant = static_cast<unsigned>(n);
    const auto rest = static_cast<std::int64_t>(fixed - (n << 62));
    return static_cast<double>(rest) * 0x1.921fb54442d18p-62;  // pi/2 / 2^62
}

// sin(x) is quadrantSine at offset 0, cos(x) at offset 1.
float sineAt(float x, unsigned offset)
{
    const std::uint32_t magnitude = bitsOf(x) & 0x7fffffffu;
    unsigned quadrant;
    double r;
    if (magnitude < 0x39800000u)  // |x| < 2^-12, where the polynomials would lose -0
        return offset == 0 ? x : 1.0f;
    if (magnitude < 0x42f00000u) {  // |x| < 120
        r = reduceNear(x, quadrant);
    } else if (magnitude < 0x7f800000u) {
        r = reduceFar(magnitude, quadrant);
        // sin(-y) = sin(y + pi); cos is even.
        if (x < 0.0f && offset == 0)
            quadrant += 2;
    } else {
        return x - x;  // NaN for infinities and NaN
    }
    return static_cast<float>(quadrantSine(r, quadrant + offset));
}

}  // namespace

float gameSin(float x) { return sineAt(x, 0); }
float gameCos(float x) { return sineAt(x, 1); }
