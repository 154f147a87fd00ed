#include "layers/posix/output_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "layers/posix/stop_signals.h"

std::unique_ptr<OutputFile> OutputFile::open(const std::string& path, std::size_t bufferBytes, std::string& problem)
{
    if (path == "-")
        return std::unique_ptr<OutputFile>(new OutputFile(STDOUT_FILENO, false, bufferBytes));
    int fd;
    do
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR && caughtStopSignal() == 0);
    if (fd < 0) {
        problem = std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<OutputFile>(new OutputFile(fd, true, bufferBytes));
}

OutputFile::OutputFile(int fd, bool owned, std::size_t bufferBytes) : fd(fd), owned(owned), buffer(std::max<std::size_t>(bufferBytes, 1))
{
    struct stat info {};
    regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

bool OutputFile::fail(const std::string& why)
{
    if (problem_.empty())
        problem_ = why;
    used = 0;
    return false;
}

// After a stop signal nobody waits long for a stalled reader.
bool OutputFile::waitForReader()
{
    pollfd ready{fd, POLLOUT, 0};
    int got;
    do
        got = poll(&ready, 1, 1000);
    while (got < 0 && errno == EINTR);
    return got > 0;
}

bool OutputFile::flush()
{
    if (failed() || fd < 0)
        return false;
    std::size_t done = 0;
    while (done < used) {
        std::size_t chunk = used - done;
        if (!regular && caughtStopSignal() != 0) {
            if (!waitForReader())
                return fail("nothing reads it any more");
            // A pipe said to have room takes this much without blocking.
            chunk = std::min<std::size_t>(chunk, PIPE_BUF);
        }
        const ssize_t wrote = ::write(fd, buffer.data() + done, chunk);
        if (wrote > 0)
            done += static_cast<std::size_t>(wrote);
        else if (wrote < 0 && errno != EINTR)
            return fail(std::strerror(errno));
        else if (wrote == 0)
            return fail("nothing could be written");
    }
    used = 0;
    return true;
}

bool OutputFile::write(const char* data, std::size_t size)
{
    while (size > 0 && !failed()) {
        if (used == buffer.size() && !flush())
            return false;
        const std::size_t part = std::min(size, buffer.size() - used);
        std::memcpy(buffer.data() + used, data, part);
        used += part;
        data += part;
        size -= part;
    }
    return !failed();
}

bool OutputFile::close()
{
    if (fd < 0)
        return !failed();
    flush();
    if (owned && ::close(fd) != 0 && errno != EINTR)
        fail(std::strerror(errno));
    fd = -1;
    return !failed();
}
