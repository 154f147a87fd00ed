#include "platform/stop_signals.h"

#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void onStopSignal(int signal)
{
    stopSignal = signal;
}

}  // namespace

int reportProblem(const std::string& problem, int status)
{
    std::fprintf(stderr, "brightwicket: %s\n", problem.c_str());
    return status;
}

void catchStopSignals()
{
    stopSignal = 0;
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

void releaseStopSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

int caughtStopSignal()
{
    return stopSignal;
}
