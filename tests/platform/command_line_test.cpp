// The real program's headless command line: bad input gets one line on
// standard error and exit status 2 with nothing run and no trace left;
// good runs write the trace and the screenshots asked for.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <png.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <regex>
#include <sstream>
#include <array>
#include <cstring>
#include <vector>

#include "support/run_script.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { dir = freshTempFolder(); }
    void TearDown() override { fs::remove_all(dir); }

    fs::path file(const std::string& name, const std::string& text)
    {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // `environment` is put before the command ("NAME=value ...").
    Outcome run(const std::string& args, const std::string& environment = "")
    {
        const std::string command = environment + " '" + BRIGHTWICKET_BINARY + "' " + args + " >'" +
                                    (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
        Outcome o;
        const int raw = std::system(command.c_str());
        o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        o.out = slurp(dir / "out");
        o.err = slurp(dir / "err");
        return o;
    }

    fs::path dir;
};

// A PNG file's width, height, whether it is stored as 8-bit RGB, and its
// pixels as RGB; all zero when it cannot be read.
struct Png {
    int width = 0, height = 0;
    bool rgb = false;
    std::vector<std::uint8_t> pixels;
};

Png readPng(const fs::path& path)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    Png png;
    if (png_image_begin_read_from_file(&image, path.c_str())) {
        png = {int(image.width), int(image.height), image.format == PNG_FORMAT_RGB, {}};
        image.format = PNG_FORMAT_RGB;
        png.pixels.resize(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, png.pixels.data(), 0, nullptr);
    }
    return png;
}

int lines(const std::string& text)
{
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

}  // namespace

TEST_F(CommandLineTest, BadInputIsOneLineStatusTwoAndNoTrace)
{
    const fs::path bad = file("bad.script", "1 enter\n2 jump\n");
    const fs::path back = file("back.script", "5 enter\n2 enter\n");
    const fs::path trace = dir / "t.csv", shot = dir / "s.png";
    const std::string t = " --trace '" + trace.string() + "'", s = " --screenshot '2:" + shot.string() + "'";
    struct Case {
        std::string args;
        std::string expected;
    };
    const Case cases[] = {
        {"--headless --no-render" + t, "--frames N is required"},
        {"--headless --frames 0 --no-render" + t, "--frames needs a positive whole number"},
        {"--headless --frames -3 --no-render" + t, "--frames needs a positive whole number"},
        {"--headless --frames 1x --no-render" + t, "not '1x'"},
        {"--headless --frames 5 --frames 6 --no-render" + t, "--frames is given twice"},
        {"--headless --frames 5 --no-render --script" + t.substr(0, 8), "needs a value"},
        {"--headless --frames 5 --no-render --bogus" + t, "unknown option '--bogus'"},
        {"--headless --frames 5 --no-render --script '" + bad.string() + "'" + t,
         bad.string() + ":2: unknown event 'jump'"},
        {"--headless --frames 5 --no-render --script '" + back.string() + "'" + t,
         back.string() + ":2: turn 2 comes after turn 5"},
        {"--headless --frames 5 --no-render --script '" + (dir / "missing").string() + "'" + t,
         "cannot read script"},
        {"--headless --frames 5 --no-render --script '" + dir.string() + "'" + t, "cannot read script"},
        {"--headless --frames 5 --no-render --trace '" + (dir / "no/such/dir/t.csv").string() + "'",
         "cannot write trace"},
        {"--headless --frames 5 --no-render --trace '" + (dir / "no\n\x1b[2J/t.csv").string() + "'",
         "/no\\x0a\\x1b[2J/t.csv: no folder"},
        // Not writable even for root.
        {"--headless --frames 5 --no-render --trace /sys/brightwicket-trace.csv", "cannot write trace"},
        {"--headless --frames 5 --no-render --trace '" + dir.string() + "'", "cannot write trace"},
        {"--headless --frames 5 --screenshot 0:x.png" + t + s, "--screenshot needs FRAME:FILE.png"},
        {"--headless --frames 5 --screenshot x.png" + t + s, "not 'x.png'"},
        {"--headless --frames 5 --screenshot 3:" + t + s, "--screenshot needs FRAME:FILE.png"},
        {"--headless --frames 5 --screenshot '6:" + shot.string() + "'" + t, "frame 6 lies beyond --frames 5"},
        {"--headless --frames 5 --screenshot '3:" + (dir / "no/x.png").string() + "'" + t + s,
         "cannot write screenshot"},
        {"--headless --frames 5 --screenshot '3:" + dir.string() + "'" + t + s, "it is a folder"},
        {"--headless --frames 5 --size 0x10" + t + s, "--size needs WIDTHxHEIGHT, each 1 to 4096"},
        {"--headless --frames 5 --size 640" + t + s, "not '640'"},
        {"--headless --frames 5 --size 4097x100" + t + s, "not '4097x100'"},
        {"--headless --frames 5 --size 64x48 --size 64x48" + t + s, "--size is given twice"},
        {"--headless --frames 5 --no-render --size 64x48" + t, "--size needs drawing"},
        {"--headless --frames 5 --no-render" + t + s, "--screenshot needs drawing"},
    };
    for (const Case& c : cases) {
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, 2) << c.args;
        EXPECT_EQ(lines(o.err), 1) << c.args << "\n" << o.err;
        EXPECT_EQ(o.err.rfind("brightwicket: ", 0), 0u) << o.err;
        EXPECT_NE(o.err.find(c.expected), std::string::npos) << o.err;
        EXPECT_EQ(o.out, "");
        EXPECT_FALSE(fs::exists(trace)) << c.args;
        EXPECT_FALSE(fs::exists(shot)) << c.args;
    }
}

TEST_F(CommandLineTest, HelpAndVersionAnswerInBothModesOnStandardOutput)
{
    // No display is needed, and the rest of the line does not matter.
    for (const char* args : {"--help", "--headless --help", "--windowed --help --bogus"}) {
        const Outcome o = run(args, "env -u DISPLAY -u WAYLAND_DISPLAY");
        EXPECT_EQ(o.status, 0) << args;
        EXPECT_EQ(o.err, "") << args;
        for (const char* part : {"--headless --frames N", "--record FILE", "Escape", "gamesound.wav",
                                 "share/doc/brightwicket/"})
            EXPECT_NE(o.out.find(part), std::string::npos) << args << " leaves out " << part;
    }
    for (const char* args : {"--version", "--headless --frames 3 --version"})
        EXPECT_TRUE(std::regex_match(run(args).out, std::regex("brightwicket [0-9]+\\.[0-9]+\n"))) << args;
}

TEST_F(CommandLineTest, TraceHasAHeaderAndOneRowPerFrame)
{
    const fs::path script = file("s.script", "# start, then quit\n2 enter\n10 escape\n");
    const fs::path trace = dir / "t.csv";
    const Outcome o = run("--headless --frames 50 --no-render --script '" + script.string() +
                          "' --trace '" + trace.string() + "'");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const std::string csv = slurp(trace);
    EXPECT_EQ(lines(csv), 1 + 9) << "Escape on turn 10 ends the run before frame 10";
    EXPECT_EQ(csv.rfind("frame,matchPhase,", 0), 0u);
}

TEST_F(CommandLineTest, TraceToStandardOutputAndFrameBudget)
{
    const Outcome o = run("--no-render --frames 3 --headless --trace -");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(lines(o.out), 4);
    EXPECT_NE(o.out.find("\n3,1,0,"), std::string::npos);
}

TEST_F(CommandLineTest, RunWithoutTraceWritesNothing)
{
    const Outcome o = run("--headless --frames 100 --no-render");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "");
}

TEST_F(CommandLineTest, AFullDiskStopsTheRunAtOnce)
{
    struct stat full {};
    if (stat("/dev/full", &full) != 0 || !S_ISCHR(full.st_mode))
        GTEST_SKIP() << "no /dev/full device here";
    const Outcome o = run("--headless --frames 2000000000 --no-render --trace /dev/full");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "brightwicket: writing the trace to /dev/full failed: No space left on device\n");
}

TEST_F(CommandLineTest, OutputsNamingAnInputOrEachOtherAreRefused)
{
    const std::string script = file("s.script", "2 enter\n").string(), t = (dir / "t.csv").string();
    fs::create_symlink(script, dir / "link");
    fs::create_hard_link(script, dir / "hard");
    const std::string run5 = "--headless --frames 5 --script '" + script + "' ";
    for (const std::string& args :
         {run5 + "--no-render --trace '" + script + "'", run5 + "--no-render --trace '" + (dir / "link").string() + "'",
          run5 + "--no-render --trace '" + (dir / "hard").string() + "'", run5 + "--screenshot '1:" + script + "'",
          run5 + "--trace '" + t + "' --screenshot '2:" + (dir / "." / "t.csv").string() + "'",
          run5 + "--screenshot '1:" + t + "' --screenshot '2:" + t + "'"}) {
        const Outcome o = run(args);
        EXPECT_EQ(o.status, 2) << args;
        EXPECT_EQ(lines(o.err), 1) << o.err;
        EXPECT_NE(o.err.find("are the same file"), std::string::npos) << o.err;
        EXPECT_EQ(slurp(script), "2 enter\n") << args;
        EXPECT_FALSE(fs::exists(t)) << args;
    }
}

TEST_F(CommandLineTest, StopSignalsEndTheRunWithTheTraceWritten)
{
    // Runs the game on a trace, sends `signal` once `ready` holds, and
    // returns how it ended: its exit status, or -1 when killed or stuck.
    auto stop = [&](const fs::path& trace, int signal, const std::function<bool()>& ready) {
        const std::string path = trace.string(), err = (dir / "err").string();
        const char* argv[] = {BRIGHTWICKET_BINARY, "--headless", "--frames", "2000000000",
                              "--no-render", "--trace", path.c_str(), nullptr};
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, BRIGHTWICKET_BINARY, &files, nullptr, const_cast<char* const*>(argv), environ), 0);
        posix_spawn_file_actions_destroy(&files);
        for (int i = 0; i < 500 && !ready(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        kill(pid, signal);
        int raw = 0;
        for (int i = 0; i < 500 && waitpid(pid, &raw, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (kill(pid, SIGKILL) == 0)
            waitpid(pid, &raw, 0);
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        const fs::path trace = dir / (std::to_string(signal) + ".csv");
        EXPECT_EQ(stop(trace, signal, [&] { return fs::exists(trace) && fs::file_size(trace) > 100000; }),
                  128 + signal);
        // Every row is whole and the frames run 1, 2, 3... to the last one.
        std::ifstream in(trace);
        std::string line;
        std::getline(in, line);
        long expected = 1, rows = 0;
        while (std::getline(in, line)) {
            ASSERT_EQ(std::stol(line.substr(0, line.find(','))), expected++);
            ASSERT_EQ(std::count(line.begin(), line.end(), ','), 46);
            ++rows;
        }
        EXPECT_GT(rows, 100);
        EXPECT_EQ(slurp(trace).back(), '\n');
    }
    // A reader that never reads: the run blocks on the full pipe until
    // SIGTERM, then ends and says the trace was cut.
    const fs::path fifo = dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(stop(fifo, SIGTERM, [&] { return std::chrono::steady_clock::now() - start > std::chrono::milliseconds(300); }),
              128 + SIGTERM);
    EXPECT_NE(slurp(dir / "err").find("the trace to " + fifo.string() + " failed: nothing reads it"), std::string::npos)
        << slurp(dir / "err");
    close(reader);
}

TEST_F(CommandLineTest, ScreenshotsAfterTheirFramesAtTheViewSize)
{
    const fs::path a = dir / "a.png", b = dir / "b.png", again = dir / "again.png", full = dir / "full.png";
    const Outcome o = run("--headless --frames 4 --size 320x180 --screenshot '2:" + a.string() +
                          "' --screenshot '4:" + b.string() + "' --screenshot '2:" + again.string() + "'");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const Png png = readPng(a);
    ASSERT_EQ(png.width, 320);
    ASSERT_EQ(png.height, 180);
    EXPECT_TRUE(png.rgb);
    // Title frames: the banner's grey along the top, sky below it.
    const auto at = [&](int x, int y) {
        const std::uint8_t* p = &png.pixels[(std::size_t(y) * 320 + std::size_t(x)) * 3];
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    EXPECT_TRUE(at(160, 1) == (std::array{127, 127, 127}) || at(160, 1) == (std::array{128, 128, 128}));
    EXPECT_EQ(at(160, 30), (std::array{0, 232, 255}));
    EXPECT_EQ(slurp(a), slurp(again));
    EXPECT_EQ(readPng(b).pixels, png.pixels) << "the title does not change";

    EXPECT_EQ(run("--headless --frames 1 --screenshot '1:" + full.string() + "'").status, 0);
    EXPECT_EQ(readPng(full).width, 1920);
    EXPECT_EQ(readPng(full).height, 1080);
}

TEST_F(CommandLineTest, RunEndingBeforeAScreenshotFrameSaysSo)
{
    const fs::path script = file("quit.script", "4 escape\n");
    const fs::path early = dir / "early.png", late = dir / "late.png";
    const Outcome o = run("--headless --frames 10 --size 64x36 --script '" + script.string() + "' --screenshot '6:" +
                          late.string() + "' --screenshot '2:" + early.string() + "'");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(lines(o.err), 1) << o.err;
    EXPECT_NE(o.err.find("ended after frame 3, before screenshot frame 6"), std::string::npos) << o.err;
    EXPECT_EQ(readPng(early).width, 64);
    EXPECT_FALSE(fs::exists(late));
}

TEST_F(CommandLineTest, WithoutOpenGLTheRunSuggestsNoRender)
{
    // No EGL vendor at all: what a machine without Mesa's EGL looks like.
    const std::string noEgl = "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json";
    const fs::path trace = dir / "t.csv";
    const Outcome o = run("--headless --frames 3 --trace '" + trace.string() + "'", noEgl);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(lines(o.err), 1) << o.err;
    EXPECT_NE(o.err.find("run with --no-render"), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(trace));
    EXPECT_EQ(run("--headless --frames 3 --no-render", noEgl).status, 0);
    EXPECT_EQ(run("--headless --frames 3 --trace '" + (dir / "no/t.csv").string() + "'", noEgl).status, 2)
        << "bad outputs are found first, with nothing made";
}
