// The desktop game's command line, and what it says when it cannot start:
// one line on standard error naming the problem, status 2 for bad options and
// recordings that cannot be watched, status 1 with the headless alternative
// when there is no display.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sdl/desktop_run.h"
#include "support/run_script.h"

namespace fs = std::filesystem;

TEST(DesktopCommandLineTest, ParsesItsOptions)
{
    DesktopOptions o;
    EXPECT_EQ(parseDesktopArguments({"--windowed", "--record", "a.script", "--trace", "-"}, o), "");
    EXPECT_TRUE(o.windowed);
    EXPECT_EQ(o.recordPath, "a.script");
    EXPECT_EQ(o.tracePath, "-");
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--frames", "3"}, {"--record"}, {"--trace", "--windowed"}, {"--trace", "a", "--trace", "b"},
             {"--record", "x", "--trace", "x"}, {"--watch"}, {"--watch", "a", "--record", "b"}}) {
        DesktopOptions options;
        EXPECT_NE(parseDesktopArguments(bad, options), "") << bad[0];
    }
}

TEST(DesktopCommandLineTest, CannotStartIsOneLine)
{
    const fs::path dir = freshTempFolder();
    auto run = [&](const std::string& environment, const std::string& args, int status) {
        const std::string command = "env " + environment + " '" + BRIGHTWICKET_BINARY + "' " + args +
                                    " >/dev/null 2>'" + (dir / "err").string() + "' </dev/null";
        const int raw = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, status) << command;
        std::ostringstream read;
        read << std::ifstream(dir / "err").rdbuf();
        const std::string err = read.str();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        return err;
    };
    const std::string noDisplay = "-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR=/nonexistent";
    std::ofstream(dir / "r.script") << "1 enter\n";
    const std::string outputs = "--record '" + (dir / "r.script").string() + "' --trace '" + (dir / "t.csv").string() + "'";
    for (const std::string& args : {std::string("--windowed"), outputs}) {
        const std::string err = run(noDisplay, args, 1);
        EXPECT_NE(err.find("no display"), std::string::npos) << err;
        EXPECT_NE(err.find("--headless"), std::string::npos) << "names the headless alternative: " << err;
    }
    // A display that is named but cannot be opened: no silent run off screen.
    EXPECT_NE(run("-u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:97531", outputs, 1).find("--headless"),
              std::string::npos);
    EXPECT_EQ(fs::file_size(dir / "r.script"), 8u) << "a game that cannot start leaves its outputs alone";
    EXPECT_FALSE(fs::exists(dir / "t.csv"));
    EXPECT_NE(run("DISPLAY=:97531", "--record " + (dir / "a").string() + " --trace " + (dir / "." / "a").string(), 2)
                  .find("are the same file"),
              std::string::npos);

    for (const char* args : {"--fullscreen", "--windowed --trace", "--record /nonexistent/dir/x",
                             "--watch /nonexistent/x.script"})
        EXPECT_EQ(run("DISPLAY=:97531", args, 2).rfind("brightwicket: ", 0), 0u);
    // A recording that cannot be watched is told as a headless run tells it,
    // before any window opens.
    std::ofstream(dir / "bad.script") << "1 enter\n2 jump\n";
    EXPECT_NE(run("DISPLAY=:97531", "--watch '" + (dir / "bad.script").string() + "'", 2)
                  .find("bad.script:2: unknown event 'jump'"),
              std::string::npos);
    fs::remove_all(dir);
}
