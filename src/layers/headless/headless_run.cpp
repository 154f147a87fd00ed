#include "layers/headless/headless_run.h"

#include <algorithm>
#include <memory>

#include "layers/common/exit_status.h"
#include "layers/headless/headless_game.h"
#include "layers/headless/offscreen_view.h"
#include "layers/headless/png_file.h"
#include "layers/posix/input_file.h"
#include "layers/posix/output_file.h"
#include "layers/posix/output_paths.h"
#include "layers/posix/stop_signals.h"
#include "replay/script.h"
#include "layers/posix/trace_file.h"

namespace {

bool parseFrames(const std::string& word, std::int64_t& frames)
{
    if (word.empty() || word.size() > 18)
        return false;
    std::int64_t value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1)
        return false;
    frames = value;
    return true;
}

// A view side: 1 to OffscreenView::maxSide.
bool parseSide(const std::string& word, int& side)
{
    std::int64_t value = 0;
    if (word.size() > 5 || !parseFrames(word, value) || value > OffscreenView::maxSide)
        return false;
    side = static_cast<int>(value);
    return true;
}

bool parseSize(const std::string& word, int& width, int& height)
{
    const std::size_t x = word.find('x');
    return x != std::string::npos && parseSide(word.substr(0, x), width) && parseSide(word.substr(x + 1), height);
}

bool parseScreenshot(const std::string& word, Screenshot& shot)
{
    const std::size_t colon = word.find(':');
    if (colon == std::string::npos || !parseFrames(word.substr(0, colon), shot.frame))
        return false;
    shot.path = word.substr(colon + 1);
    return !shot.path.empty();
}

}  // namespace

std::string parseHeadlessArguments(const std::vector<std::string>& args, HeadlessOptions& options)
{
    bool haveFrames = false, haveScript = false, haveTrace = false, haveSize = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        auto value = [&](std::string& out) -> std::string {
            if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0)
                return flag + " needs a value";
            out = args[++i];
            return {};
        };
        std::string word, problem;
        if (flag == "--headless") {
            continue;
        } else if (flag == "--frames" || flag == "--script" || flag == "--trace") {
            bool& seen = flag == "--frames" ? haveFrames : flag == "--script" ? haveScript : haveTrace;
            if (seen)
                return flag + " is given twice";
            seen = true;
            if (!(problem = value(word)).empty())
                return problem;
            if (flag == "--frames") {
                if (!parseFrames(word, options.frames))
                    return "--frames needs a positive whole number of frames, not '" + word + "'";
            } else if (word.empty()) {
                return flag + " needs a file name";
            } else {
                (flag == "--script" ? options.scriptPath : options.tracePath) = word;
            }
        } else if (flag == "--no-render") {
            options.noRender = true;
        } else if (flag == "--size") {
            if (haveSize)
                return "--size is given twice";
            haveSize = true;
            if (!(problem = value(word)).empty())
                return problem;
            if (!parseSize(word, options.width, options.height))
                return "--size needs WIDTHxHEIGHT, each 1 to " + std::to_string(OffscreenView::maxSide) +
                       ", not '" + word + "'";
        } else if (flag == "--screenshot") {
            if (!(problem = value(word)).empty())
                return problem;
            Screenshot shot;
            if (!parseScreenshot(word, shot))
                return "--screenshot needs FRAME:FILE.png with a frame from 1, not '" + word + "'";
            options.screenshots.push_back(shot);
        } else {
            return "unknown option '" + flag + "' (brightwicket --help lists the options)";
        }
    }
    if (!haveFrames)
        return "--frames N is required in a headless run";
    if (options.noRender && haveSize)
        return "--size needs drawing; leave out --no-render";
    if (options.noRender && !options.screenshots.empty())
        return "--screenshot needs drawing; leave out --no-render";
    for (const Screenshot& shot : options.screenshots)
        if (shot.frame > options.frames)
            return "screenshot frame " + std::to_string(shot.frame) + " lies beyond --frames " +
                   std::to_string(options.frames);
    return {};
}

int runHeadless(const HeadlessOptions& options)
{
    // Every output is checked before anything is made or run.
    std::vector<NamedFile> files;
    if (!options.scriptPath.empty())
        files.push_back({"--script", options.scriptPath, false});
    if (!options.tracePath.empty())
        files.push_back({"--trace", options.tracePath, true});
    for (const Screenshot& shot : options.screenshots) {
        const std::string problem = checkWritable(shot.path);
        if (!problem.empty())
            return reportProblem("cannot write screenshot " + shot.path + ": " + problem, exitStatus::badInput);
        files.push_back({"--screenshot " + std::to_string(shot.frame) + ":", shot.path == "-" ? "./-" : shot.path, true});
    }
    if (!options.tracePath.empty() && options.tracePath != "-") {
        const std::string problem = checkWritable(options.tracePath);
        if (!problem.empty())
            return reportProblem("cannot write trace " + options.tracePath + ": " + problem, exitStatus::badInput);
    }
    const std::string clash = findSameFile(files);
    if (!clash.empty())
        return reportProblem(clash, exitStatus::badInput);
    // A script or trace that is a pipe may block; a stop signal ends the wait.
    catchStopSignals();
    Script script;
    if (!options.scriptPath.empty()) {
        int stopStatus = 0;
        script = readInputScript(options.scriptPath, stopStatus);
        if (stopStatus != 0) {
            releaseStopSignals();
            return stopStatus;
        }
        if (!script.error.empty())
            return reportProblem(script.error, exitStatus::badInput);
    }

    std::unique_ptr<OffscreenView> view;
    if (!options.noRender) {
        std::string problem;
        view = OffscreenView::create(options.width, options.height, problem);
        if (!view)
            return reportProblem("cannot draw on this machine: " + problem + "; run with --no-render", exitStatus::failed);
    }
    // Screenshots in frame order; one picture buffer, made before the run.
    std::vector<Screenshot> shots = options.screenshots;
    std::stable_sort(shots.begin(), shots.end(),
                     [](const Screenshot& a, const Screenshot& b) { return a.frame < b.frame; });
    std::vector<std::uint8_t> picture;
    if (!shots.empty())
        picture.resize(static_cast<std::size_t>(options.width) * static_cast<std::size_t>(options.height) * 3);
    std::size_t nextShot = 0;
    std::string shotProblem;

    std::unique_ptr<OutputFile> traceFile;
    if (!options.tracePath.empty()) {
        std::string problem;
        traceFile = OutputFile::open(options.tracePath, 65536, problem);
        if (!traceFile)
            return reportProblem("cannot write trace " + options.tracePath + ": " + problem, exitStatus::badInput);
    }
    TraceWriter trace(std::move(traceFile));
    trace.writeHeader();

    // The state record holds the banner planes; keep it off the stack.
    auto game = std::make_unique<HeadlessGame>(script.events, view.get());
    const auto afterFrame = [&] {
        trace.writeRow(game->frames(), game->state);
        if (nextShot < shots.size() && shots[nextShot].frame == game->frames())
            view->readPixels(picture.data());
        for (; nextShot < shots.size() && shots[nextShot].frame == game->frames(); ++nextShot) {
            shotProblem = writePng(shots[nextShot].path, options.width, options.height, picture.data());
            if (!shotProblem.empty())
                break;
        }
    };
    game->run(options.frames, afterFrame,
              [&] { return caughtStopSignal() == 0 && shotProblem.empty() && !trace.failed(); });

    const bool traceWritten = trace.close();
    releaseStopSignals();
    const int stopStatus = caughtStopSignal() != 0 ? exitStatus::stoppedBy(caughtStopSignal()) : 0;
    if (!traceWritten)
        return reportProblem("writing the trace to " + options.tracePath + " failed: " + trace.problem(),
                             stopStatus != 0 ? stopStatus : 1);
    if (stopStatus != 0)
        return stopStatus;
    if (!shotProblem.empty())
        return reportProblem(shotProblem, exitStatus::failed);
    if (nextShot < shots.size())
        return reportProblem("the run ended after frame " + std::to_string(game->frames()) + ", before screenshot frame " +
                        std::to_string(shots[nextShot].frame),
                    exitStatus::failed);
    return exitStatus::ok;
}

int headlessMain(const std::vector<std::string>& args)
{
    HeadlessOptions options;
    const std::string problem = parseHeadlessArguments(args, options);
    if (!problem.empty())
        return reportProblem(problem, exitStatus::badInput);
    return runHeadless(options);
}
