#include "layers/posix/trace_file.h"

#include <cstring>

#include "replay/trace.h"

void TraceWriter::writeHeader()
{
    if (file != nullptr) {
        file->write(traceHeader, std::strlen(traceHeader));
        file->write("\n", 1);
    }
}

void TraceWriter::writeRow(std::int64_t frame, const GameState& state)
{
    if (file == nullptr || file->failed())
        return;
    char row[traceRowCapacity];
    file->write(row, formatTraceRow(row, frame, state));
}

void TraceWriter::flush()
{
    if (file != nullptr)
        file->flush();
}

bool TraceWriter::close()
{
    if (file == nullptr)
        return lastProblem.empty();
    file->close();
    lastProblem = file->problem();
    file.reset();
    return lastProblem.empty();
}
