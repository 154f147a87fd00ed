#pragma once
// The music through SDL_mixer: the sound device opened with the window, the
// music file decoded once when first asked for and looped on channel 0. No
// sound device or no playable file leaves the game silent, said once.

#include <SDL_mixer.h>

#include <cstdint>
#include <vector>

class SdlMusic {
public:
    SdlMusic() = default;
    ~SdlMusic();
    SdlMusic(const SdlMusic&) = delete;
    SdlMusic& operator=(const SdlMusic&) = delete;

    // Opens the sound device; without one the game plays on in silence.
    void open();
    // Frees the music and closes the device; needed before SDL is shut down.
    void close();
    void start();
    void stop();
    // Holds the music where it is, or lets it go on.
    void pause(bool paused);
    bool paused() const;

private:
    bool audioOpen = false;
    int mixerRate = 0, mixerChannels = 0;
    std::vector<std::int16_t> samples;
    Mix_Chunk* music = nullptr;
    bool reported = false;  // a missing music file is told once, not at every switch
};
