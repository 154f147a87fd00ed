// The headless run on Windows: the Linux runner's command line and trace, so
// a recording made on either system can be replayed here and the traces
// compared byte for byte. Nothing is drawn, shown or heard.

#include <memory>

#include "app/main_loop.h"
#include "layers/common/exit_status.h"
#include "layers/common/message_address.h"
#include "layers/common/script_player.h"
#include "app/input.h"
#include "layers/win32/output_paths.h"
#include "layers/win32/script_file.h"
#include "layers/win32/stop_request.h"
#include "layers/win32/text_output.h"
#include "layers/win32/trace_output.h"
#include "layers/win32/windows_run.h"
#include "platform/platform.h"
#include "state/game_state.h"

namespace {

struct HeadlessOptions {
    std::int64_t frames = 0;
    std::string scriptPath;  // empty: no key is pressed
    std::string tracePath;   // empty: no trace; "-": standard output
};

bool parseFrames(const std::string& word, std::int64_t& frames)
{
    if (word.empty() || word.size() > 18)
        return false;
    std::int64_t value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    frames = value;
    return value >= 1;
}

std::string parseHeadlessArguments(const std::vector<std::string>& args, HeadlessOptions& options)
{
    bool haveFrames = false, haveScript = false, haveTrace = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "--headless" || flag == "--no-render")
            continue;
        if (flag == "--screenshot" || flag == "--size")
            return flag + " is not available on Windows, where a headless run draws nothing; leave it out";
        if (flag != "--frames" && flag != "--script" && flag != "--trace")
            return "unknown option '" + flag + "' (brightwicket --help lists the options)";
        bool& seen = flag == "--frames" ? haveFrames : flag == "--script" ? haveScript : haveTrace;
        if (seen)
            return flag + " is given twice";
        seen = true;
        if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0)
            return flag + " needs a value";
        const std::string& word = args[++i];
        if (flag == "--frames") {
            if (!parseFrames(word, options.frames))
                return "--frames needs a positive whole number of frames, not '" + word + "'";
        } else if (word.empty()) {
            return flag + " needs a file name";
        } else {
            (flag == "--script" ? options.scriptPath : options.tracePath) = word;
        }
    }
    if (!haveFrames)
        return "--frames N is required in a headless run";
    return {};
}

// Messages come from the script, one a turn; the clock is virtual and the
// frame pause takes no time.
class ScriptedPlatform : public Platform {
public:
    explicit ScriptedPlatform(std::span<const ScriptEvent> events) : script(events) {}

    void postEventsForTurn(std::int64_t turn) { script.postUpTo(turn); }

    void keepDisplayAwake(bool) override {}
    void showCursor(bool) override {}
    bool createMainWindow() override { return true; }
    void showMainWindow() override {}
    void takeFirstMessage() override {}
    void handleOneMessage(GameState& state) override
    {
        Message message;
        if (script.take(message) && addressMessage(message, menuShown))
            dispatchMessage(state, *this, message);
    }
    bool drawsFrames() const override { return false; }
    void presentFrame() override {}
    void startMusic() override {}
    void stopMusic() override {}
    void showMenuDialog(const char*, const char*) override { menuShown = true; }
    void endMenuDialog() override { menuShown = false; }
    void reactivateMainWindow() override {}
    void destroyMainWindow() override {}
    std::int64_t clockNanoseconds() override { return clock; }
    void sleepMilliseconds(std::int64_t ms) override { clock += ms * 1'000'000; }

private:
    ScriptPlayer script;
    bool menuShown = false;
    std::int64_t clock = 0;
};

int runHeadless(const HeadlessOptions& options)
{
    std::vector<NamedFile> files;
    if (!options.scriptPath.empty())
        files.push_back({"--script", options.scriptPath, false});
    if (!options.tracePath.empty()) {
        const std::string problem = options.tracePath == "-" ? "" : checkWritable(options.tracePath);
        if (!problem.empty())
            return reportProblem("cannot write trace " + options.tracePath + ": " + problem, exitStatus::badInput);
        files.push_back({"--trace", options.tracePath, true});
    }
    const std::string clash = findSameFile(files);
    if (!clash.empty())
        return reportProblem(clash, exitStatus::badInput);
    Script script;
    if (!options.scriptPath.empty()) {
        script = loadScriptFile(options.scriptPath);
        if (!script.error.empty())
            return reportProblem(script.error, exitStatus::badInput);
    }
    std::unique_ptr<OutputFile> trace;
    if (!options.tracePath.empty()) {
        std::string problem;
        if (!(trace = OutputFile::open(options.tracePath, 65536, problem)))
            return reportProblem("cannot write trace " + options.tracePath + ": " + problem, exitStatus::badInput);
    }
    catchStopRequests(nullptr);
    writeTraceHeader(trace.get());

    // The state record holds the banner planes; keep it off the stack.
    auto state = std::make_unique<GameState>();
    ScriptedPlatform platform(script.events);
    std::int64_t turns = 0, frames = 0;
    if (startUp(*state, platform)) {
        while (turns < options.frames && state->running == 1 && !stopRequested() &&
               (trace == nullptr || !trace->failed())) {
            platform.postEventsForTurn(++turns);
            if (mainLoopTurn(*state, platform))
                writeTraceRow(trace.get(), ++frames, *state);
        }
    }
    shutdownSequence(*state, platform);

    const int stopStatus = stopRequested() ? exitStatus::stoppedBy(2) : exitStatus::ok;
    if (trace != nullptr && !trace->close())
        return reportProblem("writing the trace to " + options.tracePath + " failed: " + trace->problem(),
                             stopStatus != 0 ? stopStatus : exitStatus::failed);
    return stopStatus;
}

}  // namespace

int headlessMain(const std::vector<std::string>& args)
{
    HeadlessOptions options;
    const std::string problem = parseHeadlessArguments(args, options);
    if (!problem.empty())
        return reportProblem(problem, exitStatus::badInput);
    return runHeadless(options);
}
