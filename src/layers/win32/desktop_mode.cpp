// The desktop game with options, as the Linux desktop game runs it: outputs
// checked before anything is shown, opened once the window exists, every
// write checked, and the recording ended properly however the game ends.

#include <memory>
#include <string_view>
#include <utility>

#include "app/main_loop.h"
#include "layers/common/command_line.h"
#include "layers/common/exit_status.h"
#include "layers/win32/output_paths.h"
#include "layers/win32/script_file.h"
#include "layers/win32/stop_request.h"
#include "layers/win32/text_output.h"
#include "layers/win32/trace_output.h"
#include "layers/win32/win32_platform.h"
#include "layers/win32/windows_run.h"
#include "replay/script.h"
#include "state/game_state.h"

namespace {

// One output of the run: its first failed write is told at once, in one
// line, and the game goes on.
struct Output {
    const char* what;  // "the trace", "the recording"
    const std::string& path;
    bool failed = false;

    void check(const OutputFile* file)
    {
        if (file == nullptr || !file->failed() || failed)
            return;
        failed = true;
        reportProblem("writing " + std::string(what) + " to " + path + " failed: " + file->problem(),
                      exitStatus::failed);
    }
};

int play(GameState& state, HINSTANCE instance, int showCommand, const DesktopOptions& options,
         const Script& watched)
{
    Win32Platform platform(instance, showCommand, options.windowed);
    if (!options.watchPath.empty())
        platform.watch(watched.events, watched.endTurn);
    if (!startUp(state, platform))
        return reportProblem("cannot make the game window", exitStatus::failed);
    catchStopRequests(platform.window());

    std::string problem;
    std::unique_ptr<OutputFile> recordFile, traceFile;
    if (!options.recordPath.empty() && !(recordFile = OutputFile::open(options.recordPath, 4096, problem)))
        return reportProblem("cannot write the recording " + options.recordPath + ": " + problem,
                             exitStatus::badInput);
    if (!options.tracePath.empty() && !(traceFile = OutputFile::open(options.tracePath, 65536, problem)))
        return reportProblem("cannot write trace " + options.tracePath + ": " + problem, exitStatus::badInput);
    Output recording{"the recording", options.recordPath}, traced{"the trace", options.tracePath};
    if (recordFile != nullptr) {
        recordFile->write("# A session recorded by brightwicket --record: TURN EVENT per line.\n");
        recordFile->flush();
    }
    // Closes both outputs, the recording with its end line; once only, so
    // that the end of the Windows session can run it before the game ends.
    // The end line names the frames whose rows the trace holds: a replay
    // with --frames N makes the same trace, and a watch stops there.
    std::int64_t frames = 0;
    bool finished = false;
    const auto finish = [&] {
        if (finished)
            return;
        finished = true;
        if (recordFile != nullptr) {
            char line[endLineCapacity];
            recordFile->write(std::string_view(line, formatEndLine(line, frames)));
            recordFile->close();
        }
        if (traceFile != nullptr)
            traceFile->close();
    };
    platform.setRecording(recordFile.get());
    platform.setEndSessionAction([&] {
        platform.setRecording(nullptr);
        finish();
    });

    writeTraceHeader(traceFile.get());
    if (traceFile != nullptr)
        traceFile->flush();
    while (state.running == 1) {
        if (platform.holdsPlayback()) {
            platform.waitForControls(state);
        } else if (mainLoopTurn(state, platform) && !finished) {
            // One row a frame, so the trace can be watched while the game runs.
            writeTraceRow(traceFile.get(), ++frames, state);
            if (traceFile != nullptr)
                traceFile->flush();
        }
        traced.check(traceFile.get());
        recording.check(recordFile.get());
    }
    finish();
    platform.setEndSessionAction(nullptr);
    traced.check(traceFile.get());
    recording.check(recordFile.get());
    return traced.failed || recording.failed ? exitStatus::failed : exitStatus::ok;
}

}  // namespace

int desktopMain(GameState& state, HINSTANCE instance, int showCommand, const std::vector<std::string>& args)
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
            return reportProblem(std::string("cannot write ") + option + " " + path + ": " + unwritable,
                                 exitStatus::badInput);
        if (path == "-" && standardOutput() == nullptr)
            return reportProblem(std::string("cannot write ") + option +
                                     " -: there is no standard output (redirect it, or name a file)",
                                 exitStatus::badInput);
        files.push_back({option, path, true});
    }
    const std::string clash = findSameFile(files);
    if (!clash.empty())
        return reportProblem(clash, exitStatus::badInput);
    Script recording;
    if (!options.watchPath.empty()) {
        recording = loadScriptFile(options.watchPath);
        if (!recording.error.empty())
            return reportProblem(recording.error, exitStatus::badInput);
    }
    return play(state, instance, showCommand, options, recording);
}
