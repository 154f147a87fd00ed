#include "layers/posix/input_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "layers/common/exit_status.h"
#include "layers/posix/stop_signals.h"

namespace {

// Beside a read that may wait: after a second it says what the read waits
// for, and once a stop signal came it sends it again to the reading thread
// every few milliseconds, so that one arriving just before the read began
// still ends it.
class WaitWatcher {
public:
    enum Phase { opening, readingPipe, readingFile };

    explicit WaitWatcher(const std::string& path) : path(path), reader(pthread_self()), thread([this] { watch(); }) {}
    ~WaitWatcher()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            done = true;
        }
        wake.notify_one();
        thread.join();
    }

    void setPhase(Phase now) { phase.store(now); }

private:
    void watch()
    {
        const auto said = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        bool told = false;
        std::unique_lock<std::mutex> lock(mutex);
        while (!wake.wait_for(lock, std::chrono::milliseconds(20), [this] { return done; })) {
            if (const int signal = caughtStopSignal(); signal != 0) {
                pthread_kill(reader, signal);
            } else if (!told && std::chrono::steady_clock::now() >= said && phase.load() != readingFile) {
                told = true;
                reportProblem(phase.load() == opening ? "waiting for a writer on " + path
                                                      : "waiting for the writer of " + path + " to finish",
                              0);
            }
        }
    }

    const std::string& path;
    pthread_t reader;
    std::atomic<Phase> phase{opening};
    std::mutex mutex;
    std::condition_variable wake;
    bool done = false;
    std::thread thread;
};

}  // namespace

Script readInputScript(const std::string& path, int& stopStatus)
{
    stopStatus = 0;
    Script script;
    {
        WaitWatcher watcher(path);
        int fd = -1;
        while (caughtStopSignal() == 0 && (fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC)) < 0 && errno == EINTR) {
        }
        if (fd < 0 && caughtStopSignal() == 0) {
            script.error = "cannot read script " + path + ": " + std::strerror(errno);
            return script;
        }
        if (fd >= 0) {
            struct stat info {};
            const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
            watcher.setPhase(regular ? WaitWatcher::readingFile : WaitWatcher::readingPipe);
            if (std::FILE* file = ::fdopen(fd, "rb")) {
                script = readScript(file, path);
                std::fclose(file);
            } else {
                script.error = "cannot read script " + path + ": " + std::strerror(errno);
                ::close(fd);
            }
        }
    }
    if (const int signal = caughtStopSignal(); signal != 0) {
        stopStatus = exitStatus::stoppedBy(signal);
        return Script{};
    }
    return script;
}
