// bw_trace_runner SCRIPT FRAMES TRACE: plays a script for at most FRAMES
// turns with no drawing and writes its frame trace, exactly as
// `brightwicket --headless --no-render` does. It needs only the C and C++
// libraries, so it builds for every target the game ships for, and their
// traces can be compared byte for byte.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "layers/common/exit_status.h"
#include "layers/headless/headless_game.h"
#include "replay/script.h"
#include "replay/trace.h"

namespace {

int reportProblem(const std::string& problem, int status)
{
    std::fprintf(stderr, "bw_trace_runner: %s\n", problem.c_str());
    return status;
}

// A positive whole number of frames, as --frames takes it.
bool parseFrames(const char* word, std::int64_t& frames)
{
    const std::size_t length = std::strlen(word);
    if (length == 0 || length > 18)
        return false;
    std::int64_t value = 0;
    for (const char* c = word; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9')
            return false;
        value = value * 10 + (*c - '0');
    }
    frames = value;
    return value >= 1;
}

// The trace is opened only after the script is read, so a trace naming the
// script would replace it: that is refused.
bool sameFile(const char* a, const char* b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

class TraceOutput {
public:
    explicit TraceOutput(std::FILE* file) : file(file) {}
    ~TraceOutput() { close(); }
    TraceOutput(const TraceOutput&) = delete;
    TraceOutput& operator=(const TraceOutput&) = delete;

    void write(const char* bytes, std::size_t size)
    {
        if (problem.empty() && std::fwrite(bytes, 1, size, file) != size)
            problem = std::strerror(errno);
    }
    bool failed() const { return !problem.empty(); }

    // Flushes and closes; false if anything failed to be written.
    bool close()
    {
        if (file == nullptr)
            return problem.empty();
        errno = 0;
        if (std::fflush(file) != 0 && problem.empty())
            problem = std::strerror(errno);
        if (std::fclose(file) != 0 && problem.empty())
            problem = std::strerror(errno);
        file = nullptr;
        return problem.empty();
    }

    std::string problem;

private:
    std::FILE* file;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return reportProblem("usage: bw_trace_runner SCRIPT FRAMES TRACE", exitStatus::badInput);
    const char* scriptPath = argv[1];
    const char* tracePath = argv[3];
    std::int64_t frames = 0;
    if (!parseFrames(argv[2], frames))
        return reportProblem(std::string("FRAMES must be a positive whole number of frames, not '") + argv[2] + "'",
                             exitStatus::badInput);
    if (sameFile(scriptPath, tracePath))
        return reportProblem(std::string("the trace ") + tracePath + " is the script itself", exitStatus::badInput);

    const Script script = loadScript(scriptPath);
    if (!script.error.empty())
        return reportProblem(script.error, exitStatus::badInput);

    std::FILE* file = std::fopen(tracePath, "wb");
    if (file == nullptr)
        return reportProblem(std::string("cannot write trace ") + tracePath + ": " + std::strerror(errno),
                             exitStatus::badInput);
    TraceOutput trace(file);
    static char buffer[65536];
    std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
    trace.write(traceHeader, std::strlen(traceHeader));
    trace.write("\n", 1);

    // The state record holds the banner planes; keep it off the stack.
    const auto game = std::make_unique<HeadlessGame>(script.events);
    char row[traceRowCapacity];
    game->run(
        frames, [&] { trace.write(row, formatTraceRow(row, game->frames(), game->state)); },
        [&] { return !trace.failed(); });

    if (!trace.close())
        return reportProblem(std::string("writing the trace to ") + tracePath + " failed: " + trace.problem,
                             exitStatus::failed);
    return exitStatus::ok;
}
