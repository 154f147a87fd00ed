#include "layers/sdl/sdl_music.h"

#include <SDL.h>
#include <alsa/asoundlib.h>

#include <string>

#include "layers/posix/stop_signals.h"
#include "layers/sdl/music_file.h"

namespace {

// ALSA reports a machine without a sound card in half a dozen lines of its
// own; the game says it once, in its own words.
extern "C" void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

void playingWithoutMusic(const std::string& why)
{
    reportProblem(why + "; the game plays on without music", 0);
}

std::string mixerProblem(const std::string& what)
{
    return what + " (" + SDL_GetError() + ")";
}

}  // namespace

SdlMusic::~SdlMusic()
{
    close();
}

void SdlMusic::close()
{
    if (music != nullptr)
        Mix_FreeChunk(music);
    music = nullptr;
    if (audioOpen)
        Mix_CloseAudio();
    audioOpen = false;
}

void SdlMusic::open()
{
    // No sound device is no reason not to play.
    snd_lib_error_set_handler(quietAlsa);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        playingWithoutMusic(mixerProblem("no sound device"));
        return;
    }
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        // The audio subsystem stays up until SDL_Quit: shutting it down here
        // would wait for SDL's device watcher thread, about 100 ms before
        // the first frame.
        playingWithoutMusic(mixerProblem("no sound device"));
        return;
    }
    Uint16 format = 0;
    if (Mix_QuerySpec(&mixerRate, &format, &mixerChannels) == 0 || format != AUDIO_S16SYS) {
        playingWithoutMusic("the sound device takes no 16-bit samples");
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    audioOpen = true;
}

void SdlMusic::start()
{
    if (!audioOpen)
        return;
    // Read when first asked for, and again after a failed read, as a file
    // name is: a missing or broken file leaves the game silent.
    if (music == nullptr) {
        const std::string problem = readMusicFile("gamesound.wav", mixerRate, mixerChannels, samples);
        if (problem.empty())
            music = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples.data()),
                                      static_cast<Uint32>(samples.size() * sizeof(std::int16_t)));
        if (music == nullptr && !reported) {
            playingWithoutMusic("cannot play gamesound.wav: " + (problem.empty() ? mixerProblem("the mixer") : problem));
            reported = true;
        }
    }
    if (music != nullptr)
        Mix_PlayChannel(0, music, -1);
}

void SdlMusic::stop()
{
    if (audioOpen)
        Mix_HaltChannel(0);
}

void SdlMusic::pause(bool paused)
{
    // The music is a chunk on channel 0, not the mixer's "music": the
    // channel is what pauses.
    if (audioOpen && paused)
        Mix_Pause(0);
    else if (audioOpen)
        Mix_Resume(0);
}

bool SdlMusic::paused() const
{
    return audioOpen && Mix_Paused(0) != 0;
}
