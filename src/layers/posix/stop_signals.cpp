#include "layers/posix/stop_signals.h"

#include <signal.h>

#include <cstdio>

namespace {

volatile sig_atomic_t stopSignal = 0;

constexpr int stopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void onStopSignal(int signal)
{
    stopSignal = signal;
}

}  // namespace

std::string escapedText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127) {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        }
    }
    return out;
}

int reportProblem(const std::string& problem, int status)
{
    std::fprintf(stderr, "brightwicket: %s\n", escapedText(problem).c_str());
    return status;
}

void catchStopSignals()
{
    stopSignal = 0;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART
    for (int signal : stopSignals)
        sigaction(signal, &action, nullptr);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
    sigaction(SIGXFSZ, &ignore, nullptr);
}

void releaseStopSignals()
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : stopSignals)
        sigaction(signal, &action, nullptr);
}

int caughtStopSignal()
{
    return stopSignal;
}
