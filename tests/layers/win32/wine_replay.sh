#!/usr/bin/env bash
# wine_replay.sh BUILD_DIR LINUX_PROGRAM: a match played on Windows (Enter, a carry, a shot) is
# replayed by the Linux program to the same trace, and a match recorded on Linux is watched on
# Windows to Linux's trace, byte for byte. The shot and the defenders' chase need the game's own
# generator and float functions, the same on both systems. docs/windows.md: Tests.
. "$(dirname "$0")/wine_session.sh"

start_windows --windowed --record session.script --trace windows.csv
wait_until 20 trace_rows windows.csv 5 || fail "no frames in the trace"
keys Return
wait_until 10 trace_is windows.csv matchPhase 2 || fail "Enter did not start the match"
# Left is held until the player carries the ball, then S shoots.
xdotool keydown Left
wait_until 20 trace_is windows.csv ballHolder 1 || fail "the player never reached the ball"
xdotool keyup Left
keys s
wait_until 10 trace_is windows.csv ballInFlight 1 || fail "S took no shot"
keys Up Up Down a
xdotool key Escape
await_end 20 "after Escape"
recorded session.script enter left s escape
cp session.script windows.csv "$artifacts/"
linux_replay session.script linux.csv
cmp windows.csv linux.csv || fail "Linux replays the Windows recording to another trace"
echo "wine replay: a Windows match replays on Linux"

# A shot from a Linux recording, watched to its end line with the right arrow held (skimming).
# The recording has no Escape (its session was killed, say): the watching holds at the end line,
# so skimming on past it would add rows.
{ grep -v '^#' "$tests/scripts/over_the_bar.script"; echo "# ended in turn 109: replay with --frames 109"; } >linux.script
"$linux" --headless --no-render --frames 109 --script linux.script --trace linux-watch.csv
column linux-watch.csv ballInFlight | grep -q 1 || fail "the Linux recording takes no shot"
start_windows --windowed --watch linux.script --trace watched.csv
xdotool keydown Right
wait_until 60 trace_rows watched.csv 109 || fail "the watching stopped short"
xdotool keyup Right
# The held frame is drawn again, from the same game, when the window changes size.
probe resize 960 600 || fail "the window was not resized: $(cat "$work/probe.txt")"
client_shows 10 held-resized sky banner grass shirts
xdotool key Escape
await_end 20 "after Escape ended the watching"
cmp watched.csv linux-watch.csv || fail "the watched trace differs from Linux's"
echo "wine replay: a Linux match watched on Windows has the Linux trace"
