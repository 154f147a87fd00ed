#include "platform/sdl/desktop_run.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "state/game_state.h"
#include "app/main_loop.h"
#include "platform/stop_signals.h"
#include "replay/script.h"
#include "replay/trace.h"
#include "platform/sdl/sdl_platform.h"

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

std::FILE* openForWriting(const std::string& path)
{
    return path == "-" ? stdout : std::fopen(path.c_str(), "wb");
}

}  // namespace

std::string parseDesktopArguments(const std::vector<std::string>& args, DesktopOptions& options)
{
    bool haveRecord = false, haveTrace = false, haveWatch = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "--windowed") {
            options.windowed = true;
        } else if (flag == "--record" || flag == "--trace" || flag == "--watch") {
            bool& seen = flag == "--record" ? haveRecord : flag == "--trace" ? haveTrace : haveWatch;
            if (seen)
                return flag + " is given twice";
            seen = true;
            if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1].rfind("--", 0) == 0)
                return flag + " needs a file name";
            (flag == "--record" ? options.recordPath : flag == "--trace" ? options.tracePath : options.watchPath) =
                args[++i];
        } else {
            return "unknown option '" + flag +
                   "' (the desktop game takes --windowed, --record FILE, --trace FILE and --watch FILE; "
                   "brightwicket --help lists every option)";
        }
    }
    if (haveRecord && haveTrace && options.recordPath == options.tracePath)
        return "--record and --trace name the same file";
    if (haveRecord && haveWatch)
        return "--watch plays a recording back and records nothing: leave out --record";
    return {};
}

int desktopMain(const std::vector<std::string>& args)
{
    DesktopOptions options;
    const std::string problem = parseDesktopArguments(args, options);
    if (!problem.empty())
        return reportProblem(problem, 2);
    Script recording;
    if (!options.watchPath.empty()) {
        recording = loadScript(options.watchPath);
        if (!recording.error.empty())
            return reportProblem(recording.error, 2);
    }
    const char* videoDriver = chooseVideoDriver();
    if (videoDriver == nullptr)
        return reportProblem("no display to open the game window on (neither DISPLAY nor a Wayland socket is set)" +
                        std::string(headlessHint),
                    1);

    std::FILE* recordFile = nullptr;
    if (!options.recordPath.empty()) {
        recordFile = openForWriting(options.recordPath);
        if (recordFile == nullptr)
            return reportProblem("cannot write the recording " + options.recordPath + ": " + std::strerror(errno), 2);
        std::fputs("# A session recorded by brightwicket --record: TURN EVENT per line.\n", recordFile);
    }
    std::FILE* traceFile = nullptr;
    if (!options.tracePath.empty()) {
        traceFile = openForWriting(options.tracePath);
        if (traceFile == nullptr) {
            if (recordFile != nullptr && recordFile != stdout)
                std::fclose(recordFile);
            return reportProblem("cannot write trace " + options.tracePath + ": " + std::strerror(errno), 2);
        }
        // One row a frame, so the trace can be watched while the game runs.
        std::setvbuf(traceFile, nullptr, _IOLBF, BUFSIZ);
    }
    TraceWriter trace(traceFile);

    catchStopSignals();

    int status = 0;
    {
        auto platform = std::make_unique<SdlPlatform>(options.windowed, recordFile);
        if (!options.watchPath.empty())
            platform->watch(recording.events);
        // The state record holds the banner planes; keep it off the stack.
        auto state = std::make_unique<GameState>();
        if (!platform->openDisplay(videoDriver) || !startUp(*state, *platform)) {
            status = reportProblem(platform->problem() + headlessHint, 1);
        } else {
            trace.writeHeader();
            // Libraries started above may have drawn from rand(); the game's
            // shots must see the unseeded sequence a headless replay sees.
            std::srand(1);
            std::int64_t frames = 0;
            while (state->running == 1) {
                if (caughtStopSignal() != 0)
                    platform->requestClose();
                if (platform->holdsPlayback())
                    platform->waitForControls();
                else if (mainLoopTurn(*state, *platform))
                    trace.writeRow(++frames, *state);
            }
            if (recordFile != nullptr)
                std::fprintf(recordFile, "# ended in turn %lld: replay with --frames %lld\n",
                             static_cast<long long>(platform->turns()),
                             static_cast<long long>(platform->turns()));
        }
    }

    releaseStopSignals();
    if (recordFile != nullptr) {
        bool written = std::ferror(recordFile) == 0;
        written = (recordFile == stdout ? std::fflush(recordFile) : std::fclose(recordFile)) == 0 && written;
        if (!written && status == 0)
            status = reportProblem("writing the recording to " + options.recordPath + " failed", 1);
    }
    if (!trace.close() && status == 0)
        status = reportProblem("writing the trace to " + options.tracePath + " failed", 1);
    return status;
}
