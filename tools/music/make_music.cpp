// Writes the game's background music loop: bw_music FILE.wav | FILE.ogg
// (Ogg Vorbis, about a tenth of the size, for the browser game's download)

#include <sndfile.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "tools/music/synth.h"

// libsndfile gives each Ogg stream a random serial number, so two builds of
// the same music would differ; every page gets a fixed one instead, and its
// checksum again (CRC-32, polynomial 0x04c11db7, most significant bit first).
static bool fixOggSerial(const char* path)
{
    std::vector<unsigned char> bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::size_t page = 0;
    while (page + 27 <= bytes.size()) {
        if (bytes[page] != 'O' || bytes[page + 1] != 'g' || bytes[page + 2] != 'g' || bytes[page + 3] != 'S')
            return false;
        const std::size_t segments = bytes[page + 26];
        std::size_t size = 27 + segments;
        for (std::size_t i = 0; i < segments && page + 27 + i < bytes.size(); ++i)
            size += bytes[page + 27 + i];
        if (page + size > bytes.size())
            return false;
        const std::uint32_t serial = 0x42574b54;  // "BWKT"
        for (int i = 0; i < 4; ++i) {
            bytes[page + 14 + i] = static_cast<unsigned char>(serial >> (8 * i));
            bytes[page + 22 + i] = 0;
        }
        std::uint32_t crc = 0;
        for (std::size_t i = page; i < page + size; ++i) {
            crc ^= static_cast<std::uint32_t>(bytes[i]) << 24;
            for (int bit = 0; bit < 8; ++bit)
                crc = crc & 0x80000000u ? (crc << 1) ^ 0x04c11db7u : crc << 1;
        }
        for (int i = 0; i < 4; ++i)
            bytes[page + 22 + i] = static_cast<unsigned char>(crc >> (8 * i));
        page += size;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return page == bytes.size() && out.flush().good();
}

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
    if (vorbis && !fixOggSerial(argv[1])) {
        std::fprintf(stderr, "bw_music: %s is not the Ogg file it should be\n", argv[1]);
        return 1;
    }
    return 0;
}
