#pragma once
// The facts of a WAV file's header that decide whether the game plays it as
// its music, checked before any sound library sees the file: RIFF/WAVE with
// a format chunk that fits in the file, PCM or float samples, 1 to 8
// channels, 8,000 to 192,000 frames a second, at most 30 minutes of sound.
// A data chunk that runs past the end of a file cut short plays what the
// file holds. Shared by the layers that play music from a file.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

constexpr std::uint64_t maxMusicSeconds = 30 * 60;

struct WaveFacts {
    int channels = 0;
    std::uint32_t rate = 0;   // frames a second
    int bits = 0;             // per sample
    std::uint64_t frames = 0; // held in the file
};

namespace wave_detail {
inline std::uint32_t le16(const unsigned char* p) { return p[0] | p[1] << 8; }
inline std::uint32_t le32(const unsigned char* p) { return le16(p) | le16(p + 2) << 16; }
}  // namespace wave_detail

// `readAt(offset, buffer, size)` reads `size` bytes at `offset` of the file
// and returns whether it got them all. Returns an empty string when the file
// may be played, else why not in a few words.
template <class ReadAt>
std::string checkWaveHeader(ReadAt readAt, std::uint64_t fileSize, WaveFacts& facts)
{
    using namespace wave_detail;
    unsigned char b[26];
    if (fileSize < 12 || !readAt(0, b, 12) || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0)
        return "it is not a WAV file";
    std::uint32_t tag = 0, blockAlign = 0;
    bool haveFormat = false;
    std::uint64_t dataBytes = 0, at = 12;
    for (int chunk = 0;; ++chunk) {
        if (chunk == 1000 || at + 8 > fileSize || !readAt(at, b, 8))
            return haveFormat ? "it holds no sound data" : "it has no format chunk";
        const std::uint32_t size = le32(b + 4);
        const std::uint64_t body = at + 8;
        if (std::memcmp(b, "fmt ", 4) == 0) {
            if (size < 16 || size > fileSize - body)
                return "its format chunk claims " + std::to_string(size) + " bytes";
            const std::uint32_t got = std::min<std::uint32_t>(size, 26);
            if (!readAt(body, b, got))
                return "it cannot be read";
            tag = le16(b);
            facts.channels = static_cast<int>(le16(b + 2));
            facts.rate = le32(b + 4);
            blockAlign = le16(b + 12);
            facts.bits = static_cast<int>(le16(b + 14));
            if (tag == 0xFFFE)  // the extensible format names its samples further on
                tag = got >= 26 ? le16(b + 24) : 0;
            haveFormat = true;
        } else if (std::memcmp(b, "data", 4) == 0) {
            if (!haveFormat)
                return "its sound data comes before its format";
            dataBytes = std::min<std::uint64_t>(size, fileSize - body);
            break;
        }
        at = body + size + (size & 1);
    }
    const bool pcm = tag == 1 && facts.bits % 8 == 0 && facts.bits >= 8 && facts.bits <= 32;
    const bool real = tag == 3 && (facts.bits == 32 || facts.bits == 64);
    if (!pcm && !real)
        return "its samples are not PCM or float (format " + std::to_string(tag) + ", " +
               std::to_string(facts.bits) + " bits)";
    if (facts.channels < 1 || facts.channels > 8)
        return "it has " + std::to_string(facts.channels) + " channels (1 to 8 play)";
    if (facts.rate < 8000 || facts.rate > 192000)
        return "it has " + std::to_string(facts.rate) + " frames a second (8000 to 192000 play)";
    if (blockAlign != static_cast<std::uint32_t>(facts.channels * facts.bits / 8))
        return "its frames of " + std::to_string(blockAlign) + " bytes do not fit its samples";
    facts.frames = dataBytes / blockAlign;
    if (facts.frames == 0)
        return "it holds no sound";
    if (facts.frames > maxMusicSeconds * facts.rate)
        return "it plays longer than 30 minutes";
    return {};
}
