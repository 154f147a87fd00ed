#include "layers/sdl/music_file.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "layers/common/wave_header.h"

namespace {

// Input frames, mixed down or up to the output's channels and resampled
// linearly, as they stream past.
class Converter {
public:
    Converter(int inChannels, std::uint32_t inRate, int outChannels, std::uint32_t outRate, std::vector<std::int16_t>& out)
        : inChannels(inChannels), outChannels(outChannels), inRate(inRate), outRate(outRate), out(out),
          previous(static_cast<std::size_t>(outChannels)), current(static_cast<std::size_t>(outChannels))
    {
    }

    void add(const float* frame)
    {
        // Output channel c takes the input channels c, c + outChannels...;
        // one with none (mono to stereo) repeats an input channel.
        for (int c = 0; c < outChannels; ++c) {
            float sum = 0;
            int n = 0;
            for (int i = c; i < inChannels; i += outChannels, ++n)
                sum += std::isfinite(frame[i]) ? frame[i] : 0.0f;
            current[static_cast<std::size_t>(c)] = n > 0 ? sum / static_cast<float>(n) : frame[c % inChannels];
        }
        if (inFrames++ == 0)
            previous = current;
        // Every output frame up to this input frame: between the previous
        // input frame and this one.
        while (static_cast<std::int64_t>(outFrames * inRate / outRate) < inFrames - 1) {
            const std::uint64_t position = outFrames * inRate;
            const float t = static_cast<float>(position % outRate) / static_cast<float>(outRate);
            emit(t);
        }
        previous = current;
    }

    void finish()
    {
        while (inFrames > 0 && static_cast<std::int64_t>(outFrames * inRate / outRate) < inFrames)
            emit(0.0f);
    }

private:
    void emit(float t)
    {
        for (int c = 0; c < outChannels; ++c) {
            const std::size_t i = static_cast<std::size_t>(c);
            const float value = std::clamp(previous[i] + (current[i] - previous[i]) * t, -1.0f, 1.0f);
            out.push_back(static_cast<std::int16_t>(std::lrint(value * 32767.0f)));
        }
        ++outFrames;
    }

    int inChannels, outChannels;
    std::uint64_t inRate, outRate;
    std::vector<std::int16_t>& out;
    std::vector<float> previous, current;
    std::int64_t inFrames = 0;
    std::uint64_t outFrames = 0;
};

std::string decode(int fd, const WaveFacts& facts, int rate, int channels, std::vector<std::int16_t>& samples)
{
    SF_INFO info{};
    SNDFILE* file = sf_open_fd(fd, SFM_READ, &info, SF_TRUE);
    if (file == nullptr)
        return std::string("it cannot be decoded (") + sf_strerror(nullptr) + ")";
    if (info.channels != facts.channels || info.samplerate != static_cast<int>(facts.rate)) {
        sf_close(file);
        return "it cannot be decoded (its header reads two ways)";
    }
    const std::uint64_t maxFrames = maxMusicSeconds * facts.rate;
    samples.reserve(static_cast<std::size_t>(
        std::min<std::uint64_t>(facts.frames, maxFrames) * static_cast<std::uint64_t>(rate) / facts.rate + 1) *
        static_cast<std::size_t>(channels));
    Converter converter(facts.channels, facts.rate, channels, static_cast<std::uint32_t>(rate), samples);
    constexpr sf_count_t chunkFrames = 4096;
    std::vector<float> chunk(static_cast<std::size_t>(chunkFrames * facts.channels));
    std::uint64_t read = 0;
    sf_count_t got;
    while ((got = sf_readf_float(file, chunk.data(), chunkFrames)) > 0) {
        read += static_cast<std::uint64_t>(got);
        if (read > maxFrames)
            break;
        for (sf_count_t i = 0; i < got; ++i)
            converter.add(&chunk[static_cast<std::size_t>(i * facts.channels)]);
    }
    sf_close(file);
    if (read > maxFrames)
        return "it plays longer than 30 minutes";
    converter.finish();
    return samples.empty() ? "it holds no sound" : "";
}

}  // namespace

std::string readMusicFile(const char* path, int rate, int channels, std::vector<std::int16_t>& samples)
{
    samples.clear();
    // Not blocking: a pipe named like the music must not hold the game up.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
    }
    const auto readAt = [fd](std::uint64_t offset, unsigned char* buffer, std::size_t size) {
        return pread(fd, buffer, size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
    };
    WaveFacts facts;
    std::string problem = checkWaveHeader(readAt, static_cast<std::uint64_t>(info.st_size), facts);
    if (!problem.empty()) {
        close(fd);
        return problem;
    }
    problem = decode(fd, facts, rate, channels, samples);  // closes the file
    if (!problem.empty())
        std::vector<std::int16_t>().swap(samples);
    return problem;
}
