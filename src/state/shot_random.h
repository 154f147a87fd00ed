#pragma once
// Where shots go is a coin toss from the GNU C library's rand(), as the game
// first drew it, unseeded: every recording holds those draws. Keeping the
// generator here, one per game, makes them the same on every platform and in
// every run, whatever else in the process draws from rand().
//
// The generator is additive feedback over 34 words: seeded from the seed by
// word = 16807 * word mod (2^31 - 1), then word i = word i-31 + word i-3
// (mod 2^32) with the first 310 thrown away; each draw is a word shifted
// right by one.

#include <cstdint>

struct ShotRandom {
    std::uint32_t words[34] = {};
    std::uint32_t oldest = 0;  // where the next word made goes

    // Seeded as srand(1) seeds it, which is what an unseeded rand() uses.
    constexpr ShotRandom()
    {
        std::int64_t word = 1;
        words[0] = 1;
        for (int i = 1; i < 31; ++i) {
            word = 16807 * word % 2147483647;
            words[i] = static_cast<std::uint32_t>(word);
        }
        for (int i = 31; i < 34; ++i)
            words[i] = words[i - 31];
        for (int i = 0; i < 310; ++i)
            draw();
    }

    // 0 .. 2^31 - 1, as rand() returns.
    constexpr std::int32_t draw()
    {
        // words[oldest] is word i-34; words i-31 and i-3 sit 3 and 31 places on.
        const std::uint32_t word = words[(oldest + 3) % 34] + words[(oldest + 31) % 34];
        words[oldest] = word;
        oldest = (oldest + 1) % 34;
        return static_cast<std::int32_t>(word >> 1);
    }
};

static_assert(ShotRandom().draw() == 1804289383, "the first draw of an unseeded rand()");
