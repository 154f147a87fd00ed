#!/usr/bin/env bash
# A careless or hostile world: a trace too large or never read, a full disk, the
# MENU window destroyed by another client, the X server stopped or gone. Each
# failure is told in one line at once and the recording still ends properly.
. "$(dirname "$0")/../../support/desktop_session.sh"

cd "$work" && cp "$BW_BUILD_DIR/gamesound.wav" .
start_xvfb 800x450
export SDL_AUDIODRIVER=dummy
ended() { tail -n 1 "$1" | grep -q '^# ended in turn [0-9]*: replay with --frames' || fail "$1 does not end properly"; }

start_game bash -c 'ulimit -f 4; exec "$0" "$@"' "$BW_BINARY" --windowed --trace limited.csv --record limited.script
wait_until 10 says 'writing the trace to limited.csv failed: File too large$' || fail "no word of the full trace"
xdotool key Return && sleep 0.5 && xdotool key Escape
ends_within 10 1 "after a failed trace"
grep -q '^[0-9]* enter$' limited.script || fail "the recording stopped with the trace"
ended limited.script

# A reader that never reads, on a pipe of one page.
mkfifo stalled.csv
python3 -c 'import fcntl, os, time
fcntl.fcntl(os.open("stalled.csv", os.O_RDWR), 1031, 4096); time.sleep(60)' &
reader=$!
start_game "$BW_BINARY" --windowed --trace stalled.csv --record stalled.script
sleep 3  # far more rows than the pipe holds
kill -TERM "$game_pid"
ends_within 10 1 "after SIGTERM with a stalled trace"
kill "$reader"
told 'the trace to stalled.csv failed: nothing reads it'
ended stalled.script

start_game "$BW_BINARY" --windowed --record /dev/full
wait_until 10 says 'writing the recording to /dev/full failed: No space left on device$' ||
    fail "no word of the full recording"
xdotool key --delay 0 $(printf 'Up %.0s' $(seq 300)) Escape
ends_within 10 1 "after a failed recording"

# The MENU window, made hidden at start-up, destroyed before M asks for it.
start_game "$BW_BINARY" --windowed --record menu.script
xdotool search --name '^MENU$' windowclose || fail "could not destroy the MENU window"
xdotool key m
ends_within 10 1 "after the MENU window was destroyed" 'the display refused a request for a window of the game'
ended menu.script

# A stopped X server holds the game in the X library; SIGTERM still ends it
# (within two seconds; five are allowed for a busy machine), with the end
# line naming the frames traced.
start_game "$BW_BINARY" --windowed --record stopped.script --trace stopped.csv
start_match stopped.csv
kill -STOP "$xvfb_pid"
wait_until 20 still stopped.csv || fail "the game went on drawing with the X server stopped"
signalled=$(date +%s%N)
kill -TERM "$game_pid"
status=0 && wait_until 10 sh -c "! kill -0 $game_pid" && wait "$game_pid" || status=$?
took=$((($(date +%s%N) - signalled) / 1000000))
kill -CONT "$xvfb_pid"
game_pid=""
echo "SIGTERM with the X server stopped: status $status after $took ms"
[ "$status" = 143 ] || fail "exit status $status with the X server stopped"
[ "$took" -le 5000 ] || fail "the game took $took ms to end with the X server stopped"
ends_with_frames stopped.script stopped.csv

start_game "$BW_BINARY" --windowed --record lost.script --trace lost.csv
start_match lost.csv
kill -KILL "$xvfb_pid" && wait "$xvfb_pid" 2>/dev/null
xvfb_pid=""
ends_within 10 1 "after the display was lost" 'lost the connection to the display; the game ends$'
ends_with_frames lost.script lost.csv
