#include "platform/headless/headless_run.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <cerrno>
#include <memory>

#include "platform/headless/headless_game.h"
#include "platform/headless/script.h"
#include "platform/headless/trace.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void onStopSignal(int signal)
{
    stopSignal = signal;
}

int fail(const std::string& problem, int status)
{
    std::fprintf(stderr, "brightwicket: %s\n", problem.c_str());
    return status;
}

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

}  // namespace

std::string parseHeadlessArguments(const std::vector<std::string>& args, HeadlessOptions& options)
{
    bool haveFrames = false, haveScript = false, haveTrace = false;
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
        } else if (flag == "--screenshot" || flag == "--size") {
            return flag + " needs drawing, which this build cannot do yet; run with --no-render";
        } else {
            return "unknown option '" + flag + "' (see README for the headless command line)";
        }
    }
    if (!haveFrames)
        return "--frames N is required in a headless run";
    if (!options.noRender)
        return "this build cannot draw yet; add --no-render to a headless run";
    return {};
}

int runHeadless(const HeadlessOptions& options)
{
    Script script;
    if (!options.scriptPath.empty()) {
        script = loadScript(options.scriptPath);
        if (!script.error.empty())
            return fail(script.error, 2);
    }

    std::FILE* traceFile = nullptr;
    if (options.tracePath == "-") {
        traceFile = stdout;
    } else if (!options.tracePath.empty()) {
        traceFile = std::fopen(options.tracePath.c_str(), "wb");
        if (traceFile == nullptr)
            return fail("cannot write trace " + options.tracePath + ": " + std::strerror(errno), 2);
    }
    TraceWriter trace(traceFile);
    trace.writeHeader();

    stopSignal = 0;
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);

    // The state record holds the banner planes; keep it off the stack.
    auto game = std::make_unique<HeadlessGame>(script.events, !options.noRender);
    game->run(
        options.frames, [&] { trace.writeRow(game->frames(), game->state); },
        [] { return stopSignal == 0; });

    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (!trace.close())
        return fail("writing the trace to " + options.tracePath + " failed", 1);
    return stopSignal != 0 ? 128 + stopSignal : 0;
}

int headlessMain(const std::vector<std::string>& args)
{
    HeadlessOptions options;
    const std::string problem = parseHeadlessArguments(args, options);
    if (!problem.empty())
        return fail(problem, 2);
    return runHeadless(options);
}
