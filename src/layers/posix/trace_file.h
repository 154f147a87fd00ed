#pragma once
// The frame trace written to a file as a run goes: the header, then a row
// after every frame, each write checked.

#include <cstdint>
#include <memory>
#include <string>

#include "layers/posix/output_file.h"

struct GameState;

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
