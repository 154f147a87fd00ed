#!/usr/bin/env bash
# No music file and no sound device: the game still plays, on a 4:3 screen
# its window covers exactly, and Alt+F4 ends it with status 0.
. "$(dirname "$0")/desktop_session.sh"

mkdir "$work/empty" && cd "$work/empty"
start_xvfb 1024x768
SDL_AUDIODRIVER=no-such-device start_game "$BW_BINARY" --trace trace.csv
[ "$(geometry "$main")" = "0,0 1024x768" ] || fail "the window ($(geometry "$main")) does not cover the screen"
xdotool key Return
wait_until 3 trace_is trace.csv matchPhase 2 || fail "Enter did not start the match"
# The music switch runs as if it played: Z is taken after the first hold.
wait_until 5 trace_is trace.csv musicState 2 || fail "the music never reached its playing state"
xdotool key z
wait_until 2 trace_is trace.csv musicState 4 || fail "Z did not switch the silent music off"
screenshot stretched
expect_picture grass stretched
expect_picture banner stretched

xdotool key alt+F4
exit_within 2
[ "$game_status" = 0 ] || fail "exit status $game_status after Alt+F4"
# One line says why there is no music; nothing else is printed.
[ "$(wc -l < "$work/game.err")" = 1 ] && grep -q '^brightwicket: no sound device .*; the game plays on without music$' "$work/game.err" ||
    fail "expected one line about the missing sound device, got: $(cat "$work/game.err")"
echo "desktop silent: ok"
