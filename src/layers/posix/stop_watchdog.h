#pragma once
// The last resort after a stop signal. The desktop game stops at the end of
// the frame in progress, but a display that does not answer holds it in the
// X library, which restarts its reads whatever signal comes. A thread looks
// for the signal; once the program has gone the grace time after it without
// a sign of life (a beat), the recording's end line (prepared, written with
// plain write calls) goes out and the process ends with 128 + the signal. A
// trace reader that stopped reading holds the game up for a second of its
// own after the signal (see OutputFile), which the beats allow for; once the
// end line is written the shut-down gets three times the grace time.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>

class StopWatchdog {
public:
    explicit StopWatchdog(std::chrono::milliseconds grace);
    ~StopWatchdog();
    StopWatchdog(const StopWatchdog&) = delete;
    StopWatchdog& operator=(const StopWatchdog&) = delete;

    // The recording the end line goes to (-1: none), and the frames whose
    // trace rows are written so far.
    void setRecording(int fd) { recordFd.store(fd); }
    void setFrames(std::int64_t frames) { frameCount.store(frames); }
    // The program is alive: called every turn and on the way out.
    void beat() { beats.fetch_add(1, std::memory_order_relaxed); }

    // Whoever writes the end line claims it first, so that it is written
    // once: true for the first caller.
    bool claimEndLine() { return !endClaimed.exchange(true); }

private:
    void watch();
    [[noreturn]] void endNow(int signal);

    std::chrono::milliseconds grace;
    std::atomic<int> recordFd{-1};
    std::atomic<std::int64_t> frameCount{0};
    std::atomic<bool> endClaimed{false};
    std::atomic<std::uint64_t> beats{0};
    std::mutex mutex;
    std::condition_variable wake;
    bool leaving = false;
    std::thread thread;
};
