#pragma once
// The frame trace: one CSV line per frame that ran, written after the frame.
// Other tools read it, so columns are only ever added at the end.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/output_file.h"

struct GameState;

// The header line, without the line end.
extern const char* const traceHeader;

// Longest possible row: 46 numbers plus the quoted banner text.
constexpr std::size_t traceRowCapacity = 2048;

// Writes one float the way the trace does: printf's "%.9g" of its exact
// value (nine significant digits, rounded half to even), which reads back as
// the same 32-bit float; "-0" for negative zero; "nan" for any not-a-number.
// Returns the end of what was written, at most 15 characters on.
char* formatTraceFloat(char* out, float value);

// Formats the row of one frame, with the line end, into `out` (at least
// traceRowCapacity bytes). Returns the number of bytes written.
std::size_t formatTraceRow(char* out, std::int64_t frame, const GameState& state);

class TraceWriter {
public:
    // Writes to `file` and closes it; null writes nothing.
    explicit TraceWriter(std::unique_ptr<OutputFile> file) : file(std::move(file)) {}
    ~TraceWriter() { close(); }
    TraceWriter(const TraceWriter&) = delete;
    TraceWriter& operator=(const TraceWriter&) = delete;

    bool active() const { return file != nullptr; }
    void writeHeader();
    void writeRow(std::int64_t frame, const GameState& state);
    // Hands what is written so far on, for a trace watched while it grows.
    void flush();
    // Flushes and closes; false if anything failed to be written.
    bool close();
    // A write failed; problem() says why, in a few words.
    bool failed() const { return file != nullptr ? file->failed() : !lastProblem.empty(); }
    const std::string& problem() const { return file != nullptr ? file->problem() : lastProblem; }

private:
    std::unique_ptr<OutputFile> file;
    std::string lastProblem;
};
