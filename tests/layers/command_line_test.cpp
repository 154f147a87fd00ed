// The real program's command line, headless and on the desktop: what it
// refuses gets one line on standard error and no output made or touched; good
// runs write the trace and the screenshots asked for, whole even when stopped.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <regex>
#include <thread>
#include <vector>

#include "support/run_script.h"

namespace fs = std::filesystem;

namespace {

struct Outcome { int status = -1; std::string out, err; };

int lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

// A path quoted for the shell.
std::string q(const fs::path& path) { return "'" + path.string() + "'"; }

class CommandLineTest : public ::testing::Test {
protected:
    void TearDown() override { fs::remove_all(dir); }

    fs::path file(const std::string& name, const std::string& text)
    {
        std::ofstream(dir / name, std::ios::binary) << text;
        return dir / name;
    }

    // `environment` is put before the command ("env NAME=value ...").
    Outcome run(const std::string& args, const std::string& environment = "")
    {
        const std::string command = environment + " '" BRIGHTWICKET_BINARY "' " + args + " >" + q(dir / "out") +
                                    " 2>" + q(dir / "err") + " </dev/null";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(dir / "out"), readFile(dir / "err")};
    }

    // Runs and expects `status`, nothing on standard output and one line on
    // standard error that holds `expected`.
    Outcome refused(const std::string& args, int status, const std::string& expected, const std::string& environment)
    {
        const Outcome o = run(args, environment);
        EXPECT_EQ(o.status, status) << args;
        EXPECT_EQ(o.out, "") << args;
        EXPECT_TRUE(lines(o.err) == 1 && o.err.starts_with("brightwicket: ")) << args << "\n" << o.err;
        EXPECT_NE(o.err.find(expected), std::string::npos) << args << "\n" << o.err;
        return o;
    }

    // Starts the game on `args` with standard error to dir/err, sends `signal`
    // once `ready` holds (or after 20 s), and returns its exit status, or -1
    // when it was killed or stuck.
    int stopWhen(const std::string& args, int signal, const std::function<bool()>& ready)
    {
        const std::string command =
            "exec env -u WAYLAND_DISPLAY -u DISPLAY '" BRIGHTWICKET_BINARY "' " + args + " 2>" + q(dir / "err");
        const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ), 0);
        const auto within = [](int seconds, const auto& done) {
            for (int i = 0; i < seconds * 100 && !done(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        };
        within(20, ready);
        kill(pid, signal);
        int raw = 0;
        within(10, [&] { return waitpid(pid, &raw, WNOHANG) != 0; });
        if (kill(pid, SIGKILL) == 0)  // stuck
            waitpid(pid, &raw, 0);
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    const fs::path dir = freshTempFolder();
};

// No EGL vendor at all: what a machine without Mesa's EGL looks like.
const char* const noEgl = "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json";

}  // namespace

// One case for each way the options, the script and the outputs are refused,
// headless and on the desktop: no output is made or touched.
TEST_F(CommandLineTest, RefusalsAreOneLineAndMakeNothing)
{
    const fs::path trace = dir / "t.csv", shot = dir / "s.png", bad = file("bad.script", "1 enter\n2 jump\n"),
                   script = file("s.script", "2 enter\n");
    fs::create_symlink(script, dir / "link");
    fs::create_hard_link(script, dir / "hard");
    const std::string t = " --trace " + q(trace), s = " --screenshot " + q("2:" + shot.string()),
                      run5 = "--headless --frames 5 ", withScript = run5 + "--script " + q(script) + " ",
                      outputs = "--record " + q(script) + t;
    // A display named but not there must not mean a silent run off screen.
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR=/nonexistent",
                      badDisplay = "env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:97531";
    const struct Case {
        std::string args, expected;
        int status = 2;
        std::string environment = "";
    } cases[] = {
        {"--headless --no-render" + t, "--frames N is required"},
        {"--headless --frames 0 --no-render" + t, "--frames needs a positive whole number of frames, not '0'"},
        {"--headless --frames 1x --no-render" + t, "not '1x'"},
        {"--headless --frames 5 --frames 6 --no-render" + t, "--frames is given twice"},
        {run5 + "--no-render --script" + t, "--script needs a value"},
        {run5 + "--no-render --bogus" + t, "unknown option '--bogus'"},
        {run5 + "--no-render --script " + q(bad) + t, bad.string() + ":2: unknown event 'jump'"},
        // Control characters in a name are shown, never sent to the terminal.
        {run5 + "--no-render --trace " + q(dir / "no\n\x1b[2J/t.csv"),
         "cannot write trace " + dir.string() + "/no\\x0a\\x1b[2J/t.csv: no folder"},
        {run5 + "--no-render --trace /sys/brightwicket-trace.csv", "cannot write trace"},  // not even for root
        {run5 + "--screenshot 0:x.png" + t + s, "--screenshot needs FRAME:FILE.png with a frame from 1, not '0:x.png'"},
        {run5 + "--screenshot x.png" + t + s, "not 'x.png'"},
        {run5 + "--screenshot 3:" + t + s, "not '3:'"},
        {run5 + "--screenshot " + q("6:" + shot.string()) + t, "frame 6 lies beyond --frames 5"},
        {run5 + "--screenshot " + q("3:" + dir.string()) + t + s,
         "cannot write screenshot " + dir.string() + ": it is a folder"},
        {run5 + "--size 640" + t + s, "not '640'"},
        {run5 + "--size 4097x100" + t + s, "--size needs WIDTHxHEIGHT, each 1 to 4096, not '4097x100'"},
        {run5 + "--size 64x48 --size 64x48" + t + s, "--size is given twice"},
        {run5 + "--no-render --size 64x48" + t, "--size needs drawing"},
        {run5 + "--no-render" + t + s, "--screenshot needs drawing"},
        // Outputs naming the script under another name, through a link, or
        // each other before they are made.
        {withScript + "--no-render --trace " + q(dir / "hard"), "are the same file"},
        {withScript + "--screenshot " + q("1:" + (dir / "link").string()), "are the same file"},
        {withScript + t + " --screenshot " + q("2:" + (dir / "." / "t.csv").string()), "are the same file"},
        // Without OpenGL: bad outputs are still found first, then a hint.
        {run5 + "--trace " + q(dir / "no/t.csv"), "cannot write trace", 2, noEgl},
        {run5 + s + t, "run with --no-render", 1, noEgl},
        // The desktop game: status 1 naming the headless run when there is no
        // display to play on; a recording that cannot be watched is told as a
        // headless run tells it, before any window opens.
        {outputs, "no display", 1, noDisplay},
        {outputs, "run it headless: brightwicket --headless", 1, badDisplay},
        {"--fullscreen", "unknown option '--fullscreen'", 2, noDisplay},
        {"--windowed --record", "--record needs a file name", 2, noDisplay},
        {"--trace --windowed", "--trace needs a file name", 2, noDisplay},
        {"--trace a --trace b", "--trace is given twice", 2, noDisplay},
        {"--watch " + q(script) + " --record x", "leave out --record", 2, noDisplay},
        {"--record /nonexistent/dir/x", "cannot write --record", 2, badDisplay},
        {"--record " + q(dir / "a") + " --trace " + q(dir / "." / "a"), "are the same file", 2, badDisplay},
        {"--watch " + q(bad), "bad.script:2: unknown event 'jump'", 2, badDisplay},
    };
    for (const Case& c : cases) {
        const Outcome o = refused(c.args, c.status, c.expected, c.environment);
        EXPECT_TRUE(c.status == 2 || o.err.ends_with("--no-render\n")) << "a run without what is missing";
        EXPECT_FALSE(fs::exists(trace) || fs::exists(shot)) << c.args;
    }
    EXPECT_EQ(readFile(script), "2 enter\n");
}

TEST_F(CommandLineTest, HelpAndVersionAnswerInBothModesOnStandardOutput)
{
    // No display is needed, and the rest of the line does not matter.
    for (const char* args : {"--help", "--headless --help", "--windowed --help --bogus"}) {
        const Outcome o = run(args, "env -u DISPLAY -u WAYLAND_DISPLAY");
        EXPECT_EQ(o.status, 0) << args;
        EXPECT_EQ(o.err, "") << args;
        for (const char* part :
             {"--headless --frames N", "--record FILE", "Escape", "gamesound.wav", "share/doc/brightwicket/"})
            EXPECT_NE(o.out.find(part), std::string::npos) << args << " leaves out " << part;
    }
    for (const char* args : {"--version", "--headless --frames 3 --version"})
        EXPECT_TRUE(std::regex_match(run(args).out, std::regex("brightwicket [0-9]+\\.[0-9]+(\\+[0-9]+\\.g[0-9a-f]+)?\n"))) << args;
}

TEST_F(CommandLineTest, TraceToStandardOutputOrNowhereUntilTheDiskIsFull)
{
    // "-" is standard output, and the frame budget is kept in any option order.
    Outcome o = run("--no-render --frames 3 --headless --trace -");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(lines(o.out), 1 + 3);
    EXPECT_NE(o.out.find("\n3,1,0,"), std::string::npos);
    // Without a trace nothing is written, and drawing nothing needs no OpenGL.
    o = run("--headless --frames 100 --no-render", noEgl);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out + o.err, "");
    if (fs::is_character_file("/dev/full"))  // a full disk stops the run at once
        refused("--headless --frames 2000000000 --no-render --trace /dev/full", 1,
                "writing the trace to /dev/full failed: No space left on device", "");
}

TEST_F(CommandLineTest, StopSignalsEndTheRunWithTheTraceWritten)
{
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        const fs::path trace = dir / (std::to_string(signal) + ".csv");
        EXPECT_EQ(stopWhen("--headless --frames 2000000000 --no-render --trace " + q(trace), signal,
                           [&] { return fs::exists(trace) && fs::file_size(trace) > 100000; }),
                  128 + signal);
        // Whole rows only, the frames numbered 1, 2, 3... to the last one.
        const std::string text = readFile(trace);
        const int rows = lines(text) - 1;
        const auto row = [&](int frame) { return text.find("\n" + std::to_string(frame) + ",") != std::string::npos; };
        EXPECT_GT(rows, 100);
        EXPECT_EQ(std::count(text.begin(), text.end(), ','), 46 * (rows + 1));
        EXPECT_TRUE(text.ends_with('\n') && row(1) && row(rows) && !row(rows + 1)) << rows;
    }
}

TEST_F(CommandLineTest, ScreenshotsAfterTheirFramesAtTheViewSize)
{
    const fs::path a = dir / "a.png", b = dir / "b.png", again = dir / "again.png";
    const Outcome o = run("--headless --frames 4 --size 320x180 --screenshot " + q("2:" + a.string()) +
                          " --screenshot " + q("4:" + b.string()) + " --screenshot " + q("2:" + again.string()));
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const auto [image, pixels] = readPng(a, PNG_FORMAT_RGB);
    ASSERT_EQ(std::pair(image.width, image.height), std::pair(320u, 180u));
    EXPECT_EQ(image.format, PNG_FORMAT_RGB);
    // Title frames: the banner's grey along the top, sky below it.
    const auto at = [&](unsigned x, unsigned y) {
        const std::uint8_t* p = &pixels[(y * 320 + x) * 3];
        return p[0] << 16 | p[1] << 8 | p[2];
    };
    EXPECT_TRUE(at(160, 1) == 0x7f7f7f || at(160, 1) == 0x808080) << std::hex << at(160, 1);
    EXPECT_EQ(at(160, 30), 0x00e8ff);
    EXPECT_EQ(readFile(a), readFile(again));
    EXPECT_EQ(readPng(b, PNG_FORMAT_RGB).pixels, pixels) << "the title does not change";

    // Full HD without --size. Escape on turn 4 ends the run after frame 3:
    // the trace has its rows, the screenshots reached are written, and the
    // first one missed is named.
    const fs::path early = dir / "early.png", late = dir / "late.png", trace = dir / "t.csv";
    refused("--headless --frames 10 --script " + q(file("quit.script", "# quit early\n4 escape\n")) + " --trace " +
                q(trace) + " --screenshot " + q("6:" + late.string()) + " --screenshot " + q("2:" + early.string()),
            1, "ended after frame 3, before screenshot frame 6", "");
    EXPECT_EQ(lines(readFile(trace)), 1 + 3);
    const png_image first = readPng(early, PNG_FORMAT_RGB).header;
    EXPECT_EQ(std::pair(first.width, first.height), std::pair(1920u, 1080u));
    EXPECT_FALSE(fs::exists(late));
}

// A script or recording that is a FIFO waits for its writer, and for the
// writer to finish, as any read does; after a second it says so in one line,
// and a stop signal ends the wait with the signal's status.
TEST_F(CommandLineTest, AFifoInputIsWaitedForUntilAStopSignal)
{
    const fs::path fifo = dir / "in.script";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto stopWhenWaiting = [&](const std::string& args, int signal, const std::string& said) {
        fs::remove(dir / "err");
        const auto saying = [&] { return readFile(dir / "err") == "brightwicket: " + said + "\n"; };
        bool heard = false;
        const int status = stopWhen(args, signal, [&] { return heard = saying(); });
        EXPECT_TRUE(heard && saying()) << args << ": that line before the signal and nothing more\n"
                                      << readFile(dir / "err");
        return status;
    };
    const std::string trace = " --trace " + q(dir / "t.csv");
    EXPECT_EQ(stopWhenWaiting("--headless --frames 9 --no-render --script " + q(fifo) + trace, SIGINT,
                              "waiting for a writer on " + fifo.string()),
              128 + SIGINT);
    EXPECT_EQ(stopWhenWaiting("--windowed --watch " + q(fifo), SIGTERM, "waiting for a writer on " + fifo.string()),
              128 + SIGTERM);
    {
        // A writer that holds the FIFO open and writes nothing more.
        const int writer = open(fifo.c_str(), O_RDWR);
        ASSERT_GE(writer, 0);
        EXPECT_EQ(write(writer, "1 enter\n", 8), 8);
        EXPECT_EQ(stopWhenWaiting("--headless --frames 9 --no-render --script " + q(fifo) + trace, SIGINT,
                                  "waiting for the writer of " + fifo.string() + " to finish"),
                  128 + SIGINT);
        close(writer);
    }
    EXPECT_FALSE(fs::exists(dir / "t.csv")) << "no trace is made before the script was read";
}
