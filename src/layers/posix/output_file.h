#pragma once
// A file the program writes while it runs (a trace, a recording), with every
// write checked. A write that fails marks the file failed for good and keeps
// the reason; later writes do nothing. A reader that has gone away (a broken
// pipe) is a failed write, not the end of the program, and a reader that
// stops reading holds the writer up only until a stop signal came: then it
// gets one second to take the rest.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class OutputFile {
public:
    // Opens `path` for writing, truncating it ("-": standard output). Null,
    // with the reason in `problem`, when it cannot be opened. Data is kept
    // until `bufferBytes` are waiting, or until flush().
    static std::unique_ptr<OutputFile> open(const std::string& path, std::size_t bufferBytes, std::string& problem);

    ~OutputFile() { close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Both return false once anything failed.
    bool write(const char* data, std::size_t size);
    bool write(const std::string& text) { return write(text.data(), text.size()); }
    bool flush();
    // Flushes and closes (standard output is only flushed).
    bool close();

    bool failed() const { return !problem_.empty(); }
    // The file descriptor, for a last line written where nothing may wait.
    int descriptor() const { return fd; }
    const std::string& problem() const { return problem_; }

private:
    OutputFile(int fd, bool owned, std::size_t bufferBytes);
    bool fail(const std::string& why);
    bool waitForReader();

    int fd;
    bool owned;
    bool regular = false;
    std::vector<char> buffer;
    std::size_t used = 0;
    std::string problem_;
};
