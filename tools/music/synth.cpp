#include "tools/music/synth.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr std::size_t loopSamples =
    static_cast<std::size_t>(musicBeats * musicBeatSeconds * musicSampleRate);

double frequency(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// Notes may ring past the end of the loop: their tails wrap round to its
// start, which is what makes the loop seamless.
class Mix {
public:
    Mix() : samples(loopSamples, 0.0) {}

    template <class Voice>
    void note(double startBeat, double seconds, Voice&& voice)
    {
        const auto start = static_cast<std::size_t>(startBeat * musicBeatSeconds * musicSampleRate);
        const auto count = static_cast<std::size_t>(seconds * musicSampleRate);
        for (std::size_t i = 0; i < count; ++i)
            samples[(start + i) % loopSamples] += voice(static_cast<double>(i) / musicSampleRate);
    }

    std::vector<double> samples;
};

// A fixed noise sequence for the drums.
class Noise {
public:
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }

private:
    std::uint32_t state = 12345;
};

double envelope(double t, double attack, double decay)
{
    return t < attack ? t / attack : std::exp(-(t - attack) / decay);
}

// Soft rise and fall so that a held note never clicks.
double held(double t, double length)
{
    const double fade = 0.02;
    return std::min({1.0, t / fade, std::max(0.0, (length - t) / fade)});
}

struct Chord {
    int root;      // bass note
    int tones[3];  // the arpeggio's notes
};

// I - vi - IV - V twice, the second time ending on a turn back to the start.
constexpr Chord chords[8] = {
    {36, {60, 64, 67}}, {33, {57, 60, 64}}, {29, {57, 60, 65}}, {31, {59, 62, 67}},
    {36, {60, 64, 67}}, {33, {57, 60, 64}}, {29, {57, 60, 65}}, {31, {59, 62, 67}},
};

struct MelodyNote {
    double beat, beats;
    int note;
};

constexpr MelodyNote melody[] = {
    {0, 1, 76},    {1, 1, 79},    {2, 1.5, 84},  {3.5, 0.5, 83}, {4, 1, 81},    {5, 1, 76},
    {6, 2, 72},    {8, 1, 77},    {9, 1, 81},    {10, 1, 84},    {11, 1, 81},   {12, 1.5, 79},
    {13.5, 0.5, 77}, {14, 1, 74}, {15, 1, 71},   {16, 1, 76},    {17, 0.5, 77}, {17.5, 0.5, 79},
    {18, 2, 84},   {20, 1, 81},   {21, 1, 84},   {22, 2, 88},    {24, 1, 89},   {25, 1, 88},
    {26, 1, 84},   {27, 1, 81},   {28, 1, 79},   {29, 1, 83},    {30, 1, 86},   {31, 1, 74},
};

}  // namespace

std::vector<std::int16_t> synthesiseLoop()
{
    Mix mix;
    Noise noise;

    for (int bar = 0; bar < 8; ++bar) {
        const Chord& chord = chords[bar];
        const double barBeat = bar * 4.0;

        // Bass: root and octave on the eighths, a round triangle wave.
        for (int eighth = 0; eighth < 8; ++eighth) {
            const double f = frequency(chord.root + (eighth % 2 == 1 ? 12 : 0));
            mix.note(barBeat + eighth * 0.5, 0.24, [f](double t) {
                const double phase = std::fmod(t * f, 1.0);
                const double triangle = 4.0 * std::fabs(phase - 0.5) - 1.0;
                return 0.22 * triangle * envelope(t, 0.005, 0.12) * held(t, 0.24);
            });
        }

        // Arpeggio: up and down the chord in sixteenths, a soft plucked pulse.
        constexpr int pattern[8] = {0, 1, 2, 1, 0, 1, 2, 1};
        for (int step = 0; step < 16; ++step) {
            const double f = frequency(chord.tones[pattern[step % 8]] + 12);
            mix.note(barBeat + step * 0.25, 0.2, [f](double t) {
                const double pulse = std::sin(2 * pi * f * t) + 0.3 * std::sin(4 * pi * f * t) +
                                     0.12 * std::sin(6 * pi * f * t);
                return 0.05 * pulse * envelope(t, 0.003, 0.05) * held(t, 0.2);
            });
        }

        // Drums: kick on one and three, snare on two and four, hats between.
        for (int beat = 0; beat < 4; ++beat) {
            const double at = barBeat + beat;
            if (beat % 2 == 0) {
                mix.note(at, 0.25, [](double t) {
                    // Pitch falling from 150 Hz to 50 Hz.
                    const double sweep = 2 * pi * (50.0 * t + 3.0 * (1 - std::exp(-t / 0.03)));
                    return 0.45 * std::sin(sweep) * envelope(t, 0.002, 0.08) * held(t, 0.25);
                });
            } else {
                mix.note(at, 0.2, [&noise](double t) {
                    const double body = 0.5 * std::sin(2 * pi * 185.0 * t) + noise.next();
                    return 0.12 * body * envelope(t, 0.001, 0.05) * held(t, 0.2);
                });
            }
            for (double half : {0.0, 0.5}) {
                double last = 0;
                mix.note(at + half, 0.06, [&noise, &last](double t) {
                    const double n = noise.next();
                    const double high = n - last;  // only the hiss
                    last = n;
                    return 0.04 * high * envelope(t, 0.001, 0.015) * held(t, 0.06);
                });
            }
        }
    }

    // Melody: a bell-like voice with a little vibrato.
    for (const MelodyNote& m : melody) {
        const double f = frequency(m.note);
        const double length = m.beats * musicBeatSeconds + 0.15;
        mix.note(m.beat, length, [f, length](double t) {
            const double vibrato = 1.0 + 0.003 * std::sin(2 * pi * 5.5 * t) * std::min(1.0, t / 0.3);
            const double phase = 2 * pi * f * vibrato * t;
            const double tone = std::sin(phase) + 0.25 * std::sin(2 * phase) + 0.08 * std::sin(3 * phase);
            return 0.16 * tone * envelope(t, 0.01, 0.6) * held(t, length);
        });
    }

    double peak = 0;
    for (double s : mix.samples)
        peak = std::max(peak, std::fabs(s));
    const double scale = peak > 0 ? 0.7 * 32767.0 / peak : 0.0;
    std::vector<std::int16_t> out(loopSamples);
    for (std::size_t i = 0; i < loopSamples; ++i)
        out[i] = static_cast<std::int16_t>(std::lround(mix.samples[i] * scale));
    return out;
}
