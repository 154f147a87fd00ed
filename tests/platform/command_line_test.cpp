// The real program's headless command line: bad input gets one line on
// standard error and exit status 2 with nothing run and no trace left;
// good runs write the trace.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <filesystem>
#include <fstream>
#include <sstream>

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
    void SetUp() override
    {
        dir = fs::path(::testing::TempDir()) /
              ("bw_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path file(const std::string& name, const std::string& text)
    {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    Outcome run(const std::string& args)
    {
        const std::string command = std::string("'") + BRIGHTWICKET_BINARY + "' " + args + " >'" +
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
    const fs::path trace = dir / "t.csv";
    const std::string t = " --trace '" + trace.string() + "'";
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
        // Not writable even for root.
        {"--headless --frames 5 --no-render --trace /sys/brightwicket-trace.csv", "cannot write trace"},
        {"--headless --frames 5 --no-render --trace '" + dir.string() + "'", "cannot write trace"},
    };
    for (const Case& c : cases) {
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, 2) << c.args;
        EXPECT_EQ(lines(o.err), 1) << c.args << "\n" << o.err;
        EXPECT_EQ(o.err.rfind("brightwicket: ", 0), 0u) << o.err;
        EXPECT_NE(o.err.find(c.expected), std::string::npos) << o.err;
        EXPECT_EQ(o.out, "");
        EXPECT_FALSE(fs::exists(trace)) << c.args;
    }
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

TEST_F(CommandLineTest, AFullDiskIsReportedNotHidden)
{
    const Outcome o = run("--headless --frames 2000 --no-render --trace /dev/full");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "brightwicket: writing the trace to /dev/full failed\n");
}

TEST_F(CommandLineTest, SignalsEndTheRunAfterTheFrameWithTheTraceFlushed)
{
    for (int signal : {SIGINT, SIGTERM}) {
        const fs::path trace = dir / (std::to_string(signal) + ".csv");
        const std::string path = trace.string();
        const char* argv[] = {BRIGHTWICKET_BINARY, "--headless", "--frames", "2000000000",
                              "--no-render", "--trace", path.c_str(), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, BRIGHTWICKET_BINARY, nullptr, nullptr,
                              const_cast<char* const*>(argv), environ), 0);
        // Wait until frames are being written, then interrupt.
        for (int i = 0; i < 500 && (!fs::exists(trace) || fs::file_size(trace) < 100000); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        kill(pid, signal);
        int raw = 0;
        ASSERT_EQ(waitpid(pid, &raw, 0), pid);
        ASSERT_TRUE(WIFEXITED(raw)) << "killed instead of stopping cleanly";
        EXPECT_EQ(WEXITSTATUS(raw), 128 + signal);

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
}
