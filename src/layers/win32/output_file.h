#pragma once
// A file the program writes while it runs (a trace, a recording), with every
// write checked: the first failure marks it failed for good and keeps the
// reason, and later writes do nothing. Names are UTF-8 and may hold any
// character.

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class OutputFile {
public:
    // Opens `path` for writing, truncating it ("-": standard output). Null,
    // with the reason in `problem`, when it cannot be opened. Data waits
    // until `bufferBytes` are held, or until flush().
    static std::unique_ptr<OutputFile> open(const std::string& path, std::size_t bufferBytes, std::string& problem);

    ~OutputFile() { close(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Each returns false once anything failed.
    bool write(std::string_view data);
    bool flush();
    // Flushes and closes (standard output is only flushed).
    bool close();

    bool failed() const { return !problem_.empty(); }
    const std::string& problem() const { return problem_; }

private:
    OutputFile(HANDLE handle, bool owned, std::size_t bufferBytes);
    bool fail(const std::string& why);

    HANDLE handle;
    bool owned;
    std::vector<char> buffer;
    std::size_t used = 0;
    std::string problem_;
};
