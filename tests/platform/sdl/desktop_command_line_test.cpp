// The desktop game's command line, and what it says when there is nothing to
// open a window on.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sdl/desktop_run.h"

namespace fs = std::filesystem;

TEST(DesktopCommandLineTest, ParsesItsThreeOptions)
{
    DesktopOptions o;
    EXPECT_EQ(parseDesktopArguments({}, o), "");
    EXPECT_FALSE(o.windowed);
    EXPECT_EQ(parseDesktopArguments({"--windowed", "--record", "a.script", "--trace", "-"}, o), "");
    EXPECT_TRUE(o.windowed);
    EXPECT_EQ(o.recordPath, "a.script");
    EXPECT_EQ(o.tracePath, "-");

    const std::pair<std::vector<std::string>, std::string> bad[] = {
        {{"--fullscreen"}, "unknown option '--fullscreen'"},
        {{"--record"}, "--record needs a file name"},
        {{"--trace", "--windowed"}, "--trace needs a file name"},
        {{"--record", ""}, "--record needs a file name"},
        {{"--trace", "a", "--trace", "b"}, "--trace is given twice"},
        {{"--record", "x", "--trace", "x"}, "--record and --trace name the same file"},
        {{"--frames", "3"}, "unknown option '--frames'"},
    };
    for (const auto& [args, problem] : bad) {
        DesktopOptions options;
        EXPECT_EQ(parseDesktopArguments(args, options).rfind(problem, 0), 0u) << problem;
    }
}

namespace {

struct Outcome {
    int status = -1;
    std::string err;
};

Outcome runGame(const std::string& environment, const std::string& args)
{
    const fs::path err = fs::path(::testing::TempDir()) /
                         ("bw_desktop_err_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    const std::string command = "env " + environment + " '" + BRIGHTWICKET_BINARY + "' " + args +
                                " >/dev/null 2>'" + err.string() + "' </dev/null";
    Outcome o;
    const int raw = std::system(command.c_str());
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(err);
    std::ostringstream text;
    text << in.rdbuf();
    o.err = text.str();
    fs::remove(err);
    return o;
}

int lines(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

TEST(DesktopCommandLineTest, NoDisplayIsOneLineAndStatusOne)
{
    const fs::path recording = fs::path(::testing::TempDir()) / "bw_no_display.script";
    fs::remove(recording);
    const std::string noDisplay = "-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR=/nonexistent";
    for (const std::string& args : std::vector<std::string>{"", "--windowed", "--record '" + recording.string() + "'"}) {
        const Outcome o = runGame(noDisplay, args);
        EXPECT_EQ(o.status, 1) << args;
        EXPECT_EQ(lines(o.err), 1) << o.err;
        EXPECT_NE(o.err.find("no display"), std::string::npos) << o.err;
        EXPECT_NE(o.err.find("--headless"), std::string::npos) << "says how to play headless: " << o.err;
    }
    EXPECT_FALSE(fs::exists(recording)) << "nothing is written when the game cannot start";

    // A display that is named but cannot be opened says so, too.
    const Outcome o = runGame("-u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:97531", "");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(lines(o.err), 1) << o.err;
    EXPECT_NE(o.err.find("--headless"), std::string::npos) << o.err;
}

TEST(DesktopCommandLineTest, BadOptionsAreOneLineAndStatusTwo)
{
    for (const char* args : {"--fullscreen", "--record", "--windowed --trace", "--record /nonexistent/dir/x"}) {
        const Outcome o = runGame("DISPLAY=:97531", args);
        EXPECT_EQ(o.status, 2) << args;
        EXPECT_EQ(lines(o.err), 1) << o.err;
        EXPECT_EQ(o.err.rfind("brightwicket: ", 0), 0u) << o.err;
    }
}
