#pragma once
// The exit statuses of every program of the game, on every platform.

namespace exitStatus {
// The game shut down as asked (Escape, a close request), or a run ended.
constexpr int ok = 0;
// The run could not do what was asked: no display or view, an output that
// failed to be written, the display went away.
constexpr int failed = 1;
// Bad input: an unknown option, a script or recording that cannot be read,
// an output that cannot be opened or names another file of the run.
constexpr int badInput = 2;
// Ended by a stop signal: 128 and its number, as shells report it.
constexpr int stoppedBy(int signal) { return 128 + signal; }
}  // namespace exitStatus
