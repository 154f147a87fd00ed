#include "layers/sdl/desktop_run.h"

#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <span>
#include <utility>

#include "layers/common/exit_status.h"
#include "state/game_state.h"
#include "app/main_loop.h"
#include "layers/posix/input_file.h"
#include "layers/posix/output_file.h"
#include "layers/posix/output_paths.h"
#include "layers/posix/stop_signals.h"
#include "layers/posix/stop_watchdog.h"
#include "replay/script.h"
#include "layers/posix/trace_file.h"
#include "layers/sdl/sdl_platform.h"

namespace {

const char* const headlessHint =
    "; to play without a window run it headless: brightwicket --headless --frames N --no-render";

bool isSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0';
}

bool haveWaylandSocket()
{
    std::string socket = isSet("WAYLAND_DISPLAY") ? std::getenv("WAYLAND_DISPLAY") : "wayland-0";
    if (socket[0] != '/') {
        if (!isSet("XDG_RUNTIME_DIR"))
            return false;
        socket = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/" + socket;
    }
    struct stat info {};
    return stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// The video driver for SDL: nullptr when there is no desktop to open a
// window on, "x11" when X is the only one (so that SDL does not go probing
// Wayland), "" to let SDL choose. An explicit SDL_VIDEODRIVER is trusted.
const char* chooseVideoDriver()
{
    if (isSet("SDL_VIDEODRIVER") || haveWaylandSocket())
        return "";
    return isSet("DISPLAY") ? "x11" : nullptr;
}

// One output of the run: its first failed write is told at once, in one
// line, and the game goes on.
struct Output {
    const char* what;  // "the trace", "the recording"
    const std::string& path;
    bool failed = false;

    void check(const std::string& problem)
    {
        if (problem.empty() || failed)
            return;
        failed = true;
        reportProblem("writing " + std::string(what) + " to " + path + " failed: " + problem, exitStatus::failed);
    }
};

int playOnDesktop(const DesktopOptions& options, const char* videoDriver, const Script& watched,
                  StopWatchdog& watchdog)
{
    auto platform = std::make_unique<SdlPlatform>(options.windowed);
    if (!options.watchPath.empty())
        platform->watch(watched.events, watched.endTurn);
    // The state record holds the banner planes; keep it off the stack.
    auto state = std::make_unique<GameState>();
    if (!platform->openDisplay(videoDriver) || !startUp(*state, *platform))
        return reportProblem(platform->problem() + headlessHint, exitStatus::failed);

    std::string problem;
    std::unique_ptr<OutputFile> recordFile, traceFile;
    if (!options.recordPath.empty() && !(recordFile = OutputFile::open(options.recordPath, 4096, problem)))
        return reportProblem("cannot write the recording " + options.recordPath + ": " + problem, exitStatus::badInput);
    if (!options.tracePath.empty() && !(traceFile = OutputFile::open(options.tracePath, 65536, problem)))
        return reportProblem("cannot write trace " + options.tracePath + ": " + problem, exitStatus::badInput);
    TraceWriter trace(std::move(traceFile));
    Output recording{"the recording", options.recordPath}, traced{"the trace", options.tracePath};
    if (recordFile != nullptr) {
        recordFile->write("# A session recorded by brightwicket --record: TURN EVENT per line.\n");
        recordFile->flush();
    }
    // The end line names the frames whose rows the trace holds: a replay
    // with --frames N makes the same trace, and a watch stops there.
    std::int64_t frames = 0;
    const auto finish = [&] {
        if (recordFile != nullptr && watchdog.claimEndLine()) {
            char line[endLineCapacity];
            recordFile->write(line, formatEndLine(line, frames));
            recordFile->close();
        }
        trace.close();
    };
    platform->setRecording(recordFile.get());
    if (recordFile != nullptr)
        watchdog.setRecording(recordFile->descriptor());
    platform->setDisplayLostAction(finish);

    trace.writeHeader();
    trace.flush();
    while (state->running == 1) {
        watchdog.beat();
        if (caughtStopSignal() != 0)
            platform->requestClose();
        if (platform->holdsPlayback()) {
            platform->waitForControls(*state);
        } else if (mainLoopTurn(*state, *platform)) {
            // One row a frame, so the trace can be watched while the game runs.
            trace.writeRow(++frames, *state);
            trace.flush();
            watchdog.setFrames(frames);
        }
        watchdog.beat();
        traced.check(trace.problem());
        if (recordFile != nullptr)
            recording.check(recordFile->problem());
    }
    finish();
    watchdog.beat();
    platform->setDisplayLostAction(nullptr);  // the outputs are closed
    traced.check(trace.problem());
    if (recordFile != nullptr)
        recording.check(recordFile->problem());
    return traced.failed || recording.failed || platform->displayFailed() ? exitStatus::failed : exitStatus::ok;
}

}  // namespace

int desktopMain(const std::vector<std::string>& args)
{
    DesktopOptions options;
    const std::string problem = parseDesktopArguments(args, options);
    if (!problem.empty())
        return reportProblem(problem, exitStatus::badInput);
    // Outputs are checked here but opened only once the game window exists,
    // so a game that cannot start leaves every file as it was.
    std::vector<NamedFile> files{{"the music", "gamesound.wav", false}};
    if (!options.watchPath.empty())
        files.push_back({"--watch", options.watchPath, false});
    for (const auto& [option, path] : {std::pair{"--record", options.recordPath}, {"--trace", options.tracePath}}) {
        if (path.empty())
            continue;
        const std::string unwritable = path == "-" ? "" : checkWritable(path);
        if (!unwritable.empty())
            return reportProblem(std::string("cannot write ") + option + " " + path + ": " + unwritable, exitStatus::badInput);
        files.push_back({option, path, true});
    }
    const std::string clash = findSameFile(files);
    if (!clash.empty())
        return reportProblem(clash, exitStatus::badInput);
    // A recording that is a FIFO waits for its writer, and a stop signal
    // ends the wait as it ends the game.
    catchStopSignals();
    Script recording;
    int status = exitStatus::ok;
    if (!options.watchPath.empty()) {
        recording = readInputScript(options.watchPath, status);
        if (status == exitStatus::ok && !recording.error.empty())
            status = reportProblem(recording.error, exitStatus::badInput);
    }
    const char* videoDriver = status == exitStatus::ok ? chooseVideoDriver() : "";
    if (videoDriver == nullptr)
        status = reportProblem("no display to open the game window on (neither DISPLAY nor a Wayland socket is set)" +
                                   std::string(headlessHint),
                               exitStatus::failed);
    if (status == exitStatus::ok) {
        // A stop signal gets 1.5 s without a turn to end the game.
        StopWatchdog watchdog(std::chrono::milliseconds(1500));
        status = playOnDesktop(options, videoDriver, recording, watchdog);
    }
    releaseStopSignals();
    return status;
}
