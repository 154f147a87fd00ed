// Feeds any bytes to the music reader as gamesound.wav: it must play them or
// refuse them in a few words, never crash, and keep its memory within the
// decoded sound of 30 minutes (the run's memory limit catches the rest).

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "layers/sdl/music_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const int fd = memfd_create("gamesound.wav", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        std::abort();
    std::vector<std::int16_t> samples;
    const std::string problem = readMusicFile(path.c_str(), 44100, 2, samples);
    if (problem.empty() ? samples.empty() || samples.size() % 2 != 0 || samples.size() > 44100u * 2 * 1801
                        : !samples.empty() || problem.size() > 120 || problem.find('\n') != std::string::npos) {
        std::fprintf(stderr, "bad outcome: '%s' with %zu samples\n", problem.c_str(), samples.size());
        std::abort();
    }
    return 0;
}
