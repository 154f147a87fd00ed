// rand() and srand() for the browser game: the generator of the GNU C
// library, which the Linux game and the headless runner draw their shots
// from, in place of emscripten's. With it a recording made on Linux plays
// out the same in the page: every shot flies at the same target.
//
// GNU's rand() is its additive feedback generator: 34 words seeded by
// 16807 * word mod (2^31 - 1), then word i = word i-31 + word i-3 (mod 2^32),
// the first 310 thrown away, each result a word shifted right by one.

#include <array>
#include <cstdint>

namespace {

struct AdditiveFeedback {
    std::array<std::uint32_t, 34> words{};
    std::size_t next = 0;  // the oldest word, replaced by the next one made

    explicit AdditiveFeedback(std::uint32_t seed) { reseed(seed); }

    void reseed(std::uint32_t seed)
    {
        std::int64_t word = seed == 0 ? 1 : seed;
        std::array<std::uint32_t, 34> r{};
        r[0] = static_cast<std::uint32_t>(word);
        for (std::size_t i = 1; i < 31; ++i) {
            word = 16807 * word % 2147483647;
            r[i] = static_cast<std::uint32_t>(word);
        }
        for (std::size_t i = 31; i < 34; ++i)
            r[i] = r[i - 31];
        words = r;
        next = 0;
        for (int i = 0; i < 310; ++i)
            draw();
    }

    std::uint32_t draw()
    {
        // words[next] is word i-34 of the sequence; i-31 and i-3 sit 3 and
        // 31 places after it in the ring.
        const std::uint32_t word = words[(next + 3) % 34] + words[(next + 31) % 34];
        words[next] = word;
        next = (next + 1) % 34;
        return word >> 1;
    }
};

AdditiveFeedback generator(1);

}  // namespace

extern "C" int rand(void)
{
    return static_cast<int>(generator.draw());
}

extern "C" void srand(unsigned seed)
{
    generator.reseed(seed);
}
