// Every scenario script against the digest of its whole trace, recorded when
// the game was known to play right. Any change to any column of any frame, in
// the rules, their order or their float rounding, shows here; the trace is a
// public interface, so a digest only ever changes with a deliberate change of
// the game, and then the tests that explain the change change with it.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "support/run_script.h"

namespace {

std::uint64_t fnv1a(const std::string& text)
{
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text)
        h = (h ^ c) * 1099511628211ull;
    return h;
}

struct Scenario {
    const char* script;  // under tests/scripts, or docs/screenshots/ for the pictures' scripts
    std::int64_t frames;
    std::uint64_t digest;
};

const Scenario scenarios[] = {
    {"every_key.script", 430, 1737787666636934368ull},
    {"beside_the_mouth.script", 270, 8068435909152907156ull},
    {"first_dribble.script", 42, 5970155560021942321ull},
    {"keeper_pause.script", 256, 170260834610255212ull},
    {"match.script", 3860, 5002409115228363067ull},
    {"over_the_bar.script", 101, 17575533783954578147ull},
    {"player2_carries.script", 120, 14906767801450744579ull},
    {"pause_while_carrying.script", 90, 3074884968297967765ull},
    {"pass.script", 66, 12595648549888850579ull},
    {"two_endings.script", 106, 11020888979795553148ull},
    {"wrong_way_shot.script", 63, 11810595084384454089ull},
    {"../../docs/screenshots/kickoff.script", 3, 10091675546367164650ull},
    {"../../docs/screenshots/paused.script", 45, 5043210674924220457ull},
    {"../../docs/screenshots/shot.script", 150, 4530861075999551252ull},
};

}  // namespace

TEST(ScenarioTest, EveryScriptGivesItsRecordedTrace)
{
    for (const Scenario& s : scenarios) {
        const ScriptRun run = runScript(scenario(s.script), s.frames);
        const std::uint64_t digest = fnv1a(run.csv);
        if (digest == s.digest)
            continue;
        const std::string keep = testing::TempDir() + "changed-" + std::to_string(digest) + ".csv";
        if (std::FILE* f = std::fopen(keep.c_str(), "wb")) {
            std::fwrite(run.csv.data(), 1, run.csv.size(), f);
            std::fclose(f);
        }
        ADD_FAILURE() << s.script << " (" << s.frames << " frames) now gives digest " << digest
                      << "ull; the new trace is in " << keep
                      << " to compare with the same script's trace from the last good build";
    }
}
