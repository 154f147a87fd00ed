// Every scenario script against the digest of its whole trace, recorded when
// the game was known to play right. Any change to any column of any frame, in
// the rules, their order or their float rounding, shows here; the trace is a
// public interface, so a digest only ever changes with a deliberate change of
// the game, and then the tests that explain the change change with it.
//
// The scripts are found by themselves: every *.script under tests/scripts and
// docs/screenshots is one case, and tests/scripts/digests.txt holds what each
// must give.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_script.h"

namespace {

namespace fs = std::filesystem;

const fs::path sourceTop = fs::path(BRIGHTWICKET_TEST_SCRIPTS).parent_path().parent_path();

std::uint64_t fnv1a(const std::string& text)
{
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text)
        h = (h ^ c) * 1099511628211ull;
    return h;
}

struct Recorded {
    std::int64_t frames = 0;
    std::uint64_t digest = 0;
};

std::map<std::string, Recorded> recordedDigests()
{
    std::map<std::string, Recorded> table;
    std::istringstream lines(readFile(fs::path(BRIGHTWICKET_TEST_SCRIPTS) / "digests.txt"));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string script;
        Recorded r;
        if (words >> script >> r.frames >> r.digest)
            table[script] = r;
    }
    return table;
}

// Every script, as its path from the top of the source tree.
std::vector<std::string> everyScript()
{
    std::vector<std::string> scripts;
    for (const char* folder : {BRIGHTWICKET_TEST_SCRIPTS, BRIGHTWICKET_SCREENSHOT_SCRIPTS})
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().extension() == ".script")
                scripts.push_back(entry.path().lexically_relative(sourceTop).generic_string());
    std::sort(scripts.begin(), scripts.end());
    return scripts;
}

// A script with no recorded line is played until a second after its last event.
std::int64_t framesToRecord(const std::string& text)
{
    const Script script = parseScript(text, "script");
    return (script.events.empty() ? 0 : script.events.back().turn) + 30;
}

class ScenarioTest : public testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(ScenarioTest, GivesItsRecordedTrace)
{
    const std::string& name = GetParam();
    const std::string text = readFile(sourceTop / name);
    const auto table = recordedDigests();
    const auto found = table.find(name);
    const std::int64_t frames = found != table.end() ? found->second.frames : framesToRecord(text);
    const ScriptRun run = runScript(text, frames);
    ASSERT_TRUE(run.script.error.empty()) << run.script.error;
    const std::uint64_t digest = fnv1a(run.csv);
    if (found == table.end())
        FAIL() << name << " has no recorded trace: once its trace is checked, add the line\n"
               << name << " " << frames << " " << digest << "\nto tests/scripts/digests.txt";
    if (digest == found->second.digest)
        return;
    const std::string keep = testing::TempDir() + "changed-" + std::to_string(digest) + ".csv";
    std::ofstream(keep, std::ios::binary) << run.csv;
    ADD_FAILURE() << name << " (" << frames << " frames) now gives digest " << digest << "; the new trace is in "
                  << keep << " to compare with the same script's trace from the last good build";
}

INSTANTIATE_TEST_SUITE_P(EveryScript, ScenarioTest, testing::ValuesIn(everyScript()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = fs::path(info.param).stem().string();
                             std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                             return (info.param.rfind("docs/", 0) == 0 ? "docs_" : "") + name;
                         });

TEST(ScenarioTableTest, EveryRecordedScriptStillExists)
{
    for (const auto& [name, recorded] : recordedDigests())
        EXPECT_TRUE(fs::is_regular_file(sourceTop / name)) << name << " is in digests.txt but no longer exists";
}
