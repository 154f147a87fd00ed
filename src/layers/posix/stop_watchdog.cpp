#include "layers/posix/stop_watchdog.h"

#include <fcntl.h>
#include <unistd.h>

#include "layers/common/exit_status.h"
#include "layers/posix/stop_signals.h"
#include "replay/script.h"

namespace {

void writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done <= 0)
            return;
        data += done;
        size -= static_cast<std::size_t>(done);
    }
}

}  // namespace

StopWatchdog::StopWatchdog(std::chrono::milliseconds graceTime) : grace(graceTime), thread([this] { watch(); }) {}

StopWatchdog::~StopWatchdog()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        leaving = true;
    }
    wake.notify_one();
    thread.join();
}

void StopWatchdog::watch()
{
    // A look every 20 ms costs nothing and needs nothing of the handler.
    constexpr auto step = std::chrono::milliseconds(20);
    std::unique_lock<std::mutex> lock(mutex);
    std::uint64_t lastBeats = beats.load();
    auto lastSign = std::chrono::steady_clock::now();  // the signal, or a beat after it
    bool signalled = false;
    while (!wake.wait_for(lock, step, [this] { return leaving; })) {
        const auto now = std::chrono::steady_clock::now();
        const std::uint64_t seen = beats.load();
        if (seen != lastBeats || (!signalled && caughtStopSignal() != 0)) {
            lastBeats = seen;
            lastSign = now;
            signalled = caughtStopSignal() != 0;
        } else if (signalled && now - lastSign >= (endClaimed.load() ? 3 * grace : grace)) {
            // With the end line written nothing is lost any more: the shut-down
            // (the sound device, SDL) gets longer on a busy machine.
            endNow(caughtStopSignal());
        }
    }
}

void StopWatchdog::endNow(int signal)
{
    const int fd = recordFd.load();
    if (fd >= 0 && claimEndLine()) {
        char line[endLineCapacity];
        const std::size_t size = formatEndLine(line, frameCount.load());
        // A reader that stopped reading must not hold this up too.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        writeAll(fd, line, size);
    }
    constexpr char said[] = "brightwicket: the game did not stop in time after the stop signal (is the display answering?); it ends now\n";
    writeAll(STDERR_FILENO, said, sizeof said - 1);
    ::_exit(exitStatus::stoppedBy(signal));
}
