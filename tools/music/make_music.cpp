// Writes the game's background music loop: bw_music FILE.wav | FILE.ogg
// (Ogg Vorbis, about a tenth of the size, for the browser game's download)

#include <sndfile.h>

#include <cstdio>
#include <string_view>

#include "tools/music/synth.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bw_music FILE.wav | FILE.ogg\n");
        return 2;
    }
    const std::vector<std::int16_t> samples = synthesiseLoop();
    SF_INFO info{};
    info.samplerate = musicSampleRate;
    info.channels = 1;
    const bool vorbis = std::string_view(argv[1]).ends_with(".ogg");
    info.format = vorbis ? SF_FORMAT_OGG | SF_FORMAT_VORBIS : SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(argv[1], SFM_WRITE, &info);
    if (file == nullptr) {
        std::fprintf(stderr, "bw_music: cannot write %s: %s\n", argv[1], sf_strerror(nullptr));
        return 1;
    }
    // 0 is the best quality, 1 the smallest file; 0.6 keeps the tune clean at
    double level = 0.6;
    if (vorbis && sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level) != SF_TRUE) {
        std::fprintf(stderr, "bw_music: cannot set the Vorbis quality of %s\n", argv[1]);
        sf_close(file);
        return 1;
    }
    const auto count = static_cast<sf_count_t>(samples.size());
    const bool written = sf_write_short(file, samples.data(), count) == count;
    if (sf_close(file) != 0 || !written) {
        std::fprintf(stderr, "bw_music: writing %s failed\n", argv[1]);
        return 1;
    }
    return 0;
}
