#pragma once
// The frame trace: one CSV line per frame that ran, written after the frame.
// Other tools read it, so columns are only ever added at the end. Only the
// text is made here; where it goes is the layer's business.

#include <cstddef>
#include <cstdint>

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
