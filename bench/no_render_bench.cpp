// Frames per second of a 100,000-frame scripted match run without drawing,
// with and without the frame trace.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "layers/headless/headless_game.h"
#include "layers/posix/trace_file.h"

namespace {

constexpr std::int64_t matchFrames = 100'000;

// A busy match: the keys a player presses, over and over, with pauses, the
// menu, music switches and restarts in between.
Script busyMatch()
{
    std::string text;
    for (std::int64_t base = 0; base < matchFrames; base += 250) {
        const std::pair<int, const char*> keys[] = {
            {1, "enter"}, {3, "left"}, {4, "left"}, {5, "up"}, {6, "up"}, {7, "left"},
            {8, "a"},     {20, "down"}, {21, "right"}, {22, "left"}, {30, "s"}, {90, "left"},
            {91, "up"},   {92, "s"},  {150, "p"},   {185, "p"},    {200, "z"}, {210, "m"},
            {215, "menu-ok"}, {230, "p"}, {240, "p"},
        };
        for (const auto& [turn, key] : keys)
            text += std::to_string(base + turn) + " " + key + "\n";
    }
    return parseScript(text, "busy match");
}

void runMatch(benchmark::State& bench, const char* tracePath)
{
    const Script script = busyMatch();
    for (auto _ : bench) {
        auto game = std::make_unique<HeadlessGame>(script.events);
        std::string problem;
        TraceWriter trace(tracePath != nullptr ? OutputFile::open(tracePath, 65536, problem) : nullptr);
        trace.writeHeader();
        game->run(matchFrames, [&] { trace.writeRow(game->frames(), game->state); },
                  [] { return true; });
        trace.close();
        benchmark::DoNotOptimize(game->state.goals);
        if (game->frames() != matchFrames)
            bench.SkipWithError("the match ended early");
    }
    bench.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(matchFrames), benchmark::Counter::kIsIterationInvariantRate);
}

void NoRenderMatch(benchmark::State& bench)
{
    runMatch(bench, nullptr);
}

void NoRenderMatchWithTrace(benchmark::State& bench)
{
    // The trace goes to /dev/null: formatting and writing are measured, not
    // the disk.
    runMatch(bench, "/dev/null");
}

}  // namespace

BENCHMARK(NoRenderMatch)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(NoRenderMatchWithTrace)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
