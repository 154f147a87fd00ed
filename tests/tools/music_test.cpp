// The music loop: the file the build made is a WAV that SDL reads, as long
// as the loop should be, audible without clipping, and with no click where
// its end runs into its start.

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tools/music/synth.h"

TEST(MusicTest, TheLoopIsSeamlessAndNeverClips)
{
    const std::vector<std::int16_t> loop = synthesiseLoop();
    ASSERT_EQ(loop.size(), static_cast<std::size_t>(musicBeats * musicBeatSeconds * musicSampleRate));
    EXPECT_EQ(loop, synthesiseLoop()) << "the same music on every build";

    int peak = 0, biggestStep = 0;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(loop[i])));
        if (i + 1 < loop.size())
            biggestStep = std::max(biggestStep, std::abs(loop[i + 1] - loop[i]));
    }
    EXPECT_GT(peak, 16000) << "loud enough";
    EXPECT_LT(peak, 32000) << "headroom left";
    // The jump from the last sample back to the first is no bigger than the
    // music makes anywhere else.
    EXPECT_LE(std::abs(loop.front() - loop.back()), biggestStep);

    // Some of every second is sound, not silence.
    for (std::size_t second = 0; second + musicSampleRate <= loop.size(); second += musicSampleRate) {
        const auto begin = loop.begin() + static_cast<std::ptrdiff_t>(second);
        const int loudest = std::abs(*std::max_element(begin, begin + musicSampleRate, [](auto a, auto b) {
            return std::abs(a) < std::abs(b);
        }));
        EXPECT_GT(loudest, 4000) << "second " << second / musicSampleRate;
    }
}

TEST(MusicTest, TheBuiltFileIsAWavSdlPlays)
{
    SDL_AudioSpec spec{};
    Uint8* data = nullptr;
    Uint32 bytes = 0;
    ASSERT_NE(SDL_LoadWAV(BRIGHTWICKET_GAMESOUND, &spec, &data, &bytes), nullptr) << SDL_GetError();
    EXPECT_EQ(spec.freq, musicSampleRate);
    EXPECT_EQ(spec.channels, 1);
    EXPECT_EQ(spec.format, AUDIO_S16LSB);
    const std::vector<std::int16_t> loop = synthesiseLoop();
    ASSERT_EQ(bytes, loop.size() * 2);
    EXPECT_EQ(std::memcmp(data, loop.data(), bytes), 0);
    SDL_FreeWAV(data);
}
