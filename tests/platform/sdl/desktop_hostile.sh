#!/usr/bin/env bash
# The desktop game against a careless or hostile world: a trace under a
# file-size limit, a recording to a full disk, a trace reader that stops
# reading, a flood of keys before Escape, another client destroying the MENU
# window, the X server going away. Each failure is told in one line at once,
# the game plays on or ends cleanly, and the recording always ends properly.
. "$(dirname "$0")/desktop_session.sh"

cd "$work" && cp "$BW_BUILD_DIR/gamesound.wav" .
start_xvfb 800x450
export SDL_AUDIODRIVER=dummy
errors() { grep -v '^ALSA lib' "$work/game.err"; }
says() { [ "$(errors | wc -l)" = "$1" ] && errors | grep -q "$2"; }
ended() { tail -n 1 "$1" | grep -q '^# ended in turn [0-9]*: replay with --frames' || fail "$1 does not end properly"; }

# A trace that hits the file-size limit: told at once, the recording goes on.
start_game bash -c 'ulimit -f 4; exec "$0" "$@"' "$BW_BINARY" --windowed --trace limited.csv --record limited.script
wait_until 5 says 1 'writing the trace to limited.csv failed: File too large$' || fail "no word of the full trace"
xdotool key Return Escape
exit_within 10
[ "$game_status" = 1 ] || fail "status $game_status after a failed trace"
grep -q '^[0-9]* enter$' limited.script && ended limited.script
echo "trace past the file-size limit: ok"

# A reader that never reads, on a pipe of one page: SIGTERM still ends the game.
mkfifo stalled.csv
python3 -c 'import fcntl, os, time
fcntl.fcntl(os.open("stalled.csv", os.O_RDWR), 1031, 4096); time.sleep(60)' &
reader=$!
start_game "$BW_BINARY" --windowed --trace stalled.csv --record stalled.script
sleep 3  # far more rows than the pipe holds
kill -TERM "$game_pid"
exit_within 10
kill "$reader"
[ "$game_status" = 1 ] && says 1 'the trace to stalled.csv failed: nothing reads it' || fail "status $game_status"
ended stalled.script
echo "stalled trace reader: ok"

# A full disk under the recording, and Escape behind 300 keys.
if [ -c /dev/full ]; then
    start_game "$BW_BINARY" --windowed --record /dev/full
    wait_until 3 says 1 'writing the recording to /dev/full failed: No space left on device$' ||
        fail "no word of the full recording"
    xdotool key --delay 0 $(printf 'Up %.0s' $(seq 300)) Escape
    exit_within 10
    [ "$game_status" = 1 ] || fail "status $game_status after a failed recording"
    echo "recording to a full disk, Escape after 300 keys: ok"
fi

# Another client destroys the hidden MENU window; M then finds it gone.
start_game "$BW_BINARY" --windowed --record menu.script
python3 -c 'import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6"); x.XOpenDisplay.restype = ctypes.c_void_p
d = ctypes.c_void_p(x.XOpenDisplay(None)); x.XDestroyWindow(d, ctypes.c_ulong(int(sys.argv[1]))); x.XCloseDisplay(d)' \
    "$(xdotool search --name '^MENU$' | head -n 1)" || fail "could not destroy the MENU window"
xdotool key m
exit_within 10
[ "$game_status" = 1 ] && says 1 'the display refused a request for a window of the game' || fail "status $game_status"
ended menu.script
echo "MENU window destroyed by another client: ok"

# The X server goes away.
start_game "$BW_BINARY" --windowed --record lost.script --trace lost.csv
xdotool key Return
wait_until 3 trace_is lost.csv matchPhase 2 || fail "Enter did not start the match"
kill -KILL "$xvfb_pid" && wait "$xvfb_pid" 2>/dev/null
xvfb_pid=""
exit_within 10
[ "$game_status" = 1 ] && says 1 'lost the connection to the display; the game ends$' || fail "status $game_status"
ended lost.script
echo "display gone: ok"
