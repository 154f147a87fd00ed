#!/usr/bin/env bash
# No music file in the working folder and no sound device at all: the game
# still plays, on a 4:3 screen that its window covers exactly, and Alt+F4
# ends it with status 0.
. "$(dirname "$0")/desktop_session.sh"

mkdir "$work/empty"
cd "$work/empty"
start_xvfb 1024x768
SDL_AUDIODRIVER=no-such-sound-device start_game "$BW_BINARY" --trace trace.csv
trace="$work/empty/trace.csv"

main=$(wait_until 10 visible_window '^Brightwicket$' && visible_window '^Brightwicket$') ||
    fail "no window named Brightwicket"
[ "$(window_geometry "$main")" = "0,0 1024x768" ] || fail "window $(window_geometry "$main") does not cover the screen"
wait_until 2 focus_is "$main" || fail "the game window does not have the keyboard focus"

xdotool key Return
wait_until 3 trace_is "$trace" matchPhase 2 || fail "Enter did not start the match"
# The music state machine runs as if the music played: Z is taken once the
# first hold is over, and switches it off.
wait_until 5 trace_is "$trace" musicState 2 || fail "the music never reached its playing state"
xdotool key z
wait_until 2 trace_is "$trace" musicState 4 || fail "Z did not switch the silent music off"
screenshot stretched
check_picture grass "$artifacts/stretched.png"
check_picture banner "$artifacts/stretched.png"

xdotool key alt+F4
exit_within 2
[ "$game_status" = 0 ] || fail "exit status $game_status after Alt+F4"
grep -v '^ALSA lib' "$work/game.err" | grep . && fail "the game complained"
echo "desktop silent: ok"
