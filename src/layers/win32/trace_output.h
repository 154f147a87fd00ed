#pragma once
// The frame trace written to an output file as a run goes: the header, then
// a row after every frame, each write checked by the file.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "layers/win32/output_file.h"
#include "replay/trace.h"

inline void writeTraceHeader(OutputFile* file)
{
    if (file != nullptr) {
        file->write(traceHeader);
        file->write("\n");
    }
}

inline void writeTraceRow(OutputFile* file, std::int64_t frame, const GameState& state)
{
    if (file == nullptr || file->failed())
        return;
    char row[traceRowCapacity];
    file->write(std::string_view(row, formatTraceRow(row, frame, state)));
}
