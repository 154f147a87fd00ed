// The music loop: audible without clipping, with no click where its end runs
// into its start, and the built file is that loop as a WAV that SDL reads.

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tools/music/synth.h"

TEST(MusicTest, TheLoopIsSeamlessAndNeverClips)
{
    const std::vector<std::int16_t> loop = synthesiseLoop();
    const auto peak = [&](std::size_t samples) {
        return std::abs(*std::max_element(loop.begin(), loop.begin() + samples,
                                          [](int a, int b) { return std::abs(a) < std::abs(b); }));
    };
    EXPECT_GT(peak(musicSampleRate), 4000) << "silence in the first second";
    EXPECT_GT(peak(loop.size()), 16000) << "loud enough";
    EXPECT_LT(peak(loop.size()), 32000) << "headroom left";
    // Back from the last sample to the first is no jump the music does not
    // make anyway.
    int biggestStep = 0;
    for (std::size_t i = 0; i + 1 < loop.size(); ++i)
        biggestStep = std::max(biggestStep, std::abs(loop[i + 1] - loop[i]));
    EXPECT_LE(std::abs(loop.front() - loop.back()), biggestStep);
}

TEST(MusicTest, TheBuiltFileIsTheLoopAsAWav)
{
    SDL_AudioSpec format{};
    Uint8* data = nullptr;
    Uint32 bytes = 0;
    ASSERT_NE(SDL_LoadWAV(BRIGHTWICKET_GAMESOUND, &format, &data, &bytes), nullptr) << SDL_GetError();
    EXPECT_TRUE(format.freq == musicSampleRate && format.channels == 1 && format.format == AUDIO_S16LSB);
    const std::vector<std::int16_t> loop = synthesiseLoop();
    ASSERT_EQ(bytes, loop.size() * 2);
    EXPECT_EQ(std::memcmp(data, loop.data(), bytes), 0);
    SDL_FreeWAV(data);
}
