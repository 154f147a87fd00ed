#!/usr/bin/env bash
# No music file and no sound device: one line says so, the game plays on a
# 4:3 screen its window covers exactly, and Alt+F4 ends it with status 0.
. "$(dirname "$0")/../../support/desktop_session.sh"

mkdir "$work/empty" && cd "$work/empty"
start_xvfb 1024x768
SDL_AUDIODRIVER=no-such-device start_game "$BW_BINARY" --trace trace.csv
covers_screen 1024x768
start_match trace.csv
# The music switch runs as if it played: Z is taken after the first hold.
wait_until 10 trace_is trace.csv musicState 2 || fail "the music never reached its playing state"
xdotool key z
wait_until 10 trace_is trace.csv musicState 4 || fail "Z did not switch the silent music off"
screen_shows 10 stretched grass banner
xdotool key alt+F4
ends_within 10 0 "after Alt+F4" '^brightwicket: no sound device .*; the game plays on without music$'
