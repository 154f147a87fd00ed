#!/usr/bin/env bash
# Hostile music files: empty, truncated, not a WAV at all, huge, and a folder
# where the file should be. Each leaves the game silent with one line saying
# so; the game plays and quits as always.
. "$(dirname "$0")/desktop_session.sh"

start_xvfb 640x360
good="$BW_BUILD_DIR/gamesound.wav"
[ -f "$good" ] || fail "no built gamesound.wav at $good"

try() { # try NAME: with $work/NAME/gamesound.wav made by the caller
    cd "$work/$1"
    SDL_AUDIODRIVER=dummy start_game "$BW_BINARY" --windowed --trace trace.csv
    xdotool key Return
    wait_until 5 trace_is trace.csv matchPhase 2 || fail "$1: Enter did not start the match"
    xdotool key Escape
    exit_within 3
    [ "$game_status" = 0 ] || fail "$1: exit status $game_status"
    [ "$(wc -l <"$work/game.err")" = 1 ] &&
        grep -q '^brightwicket: cannot play gamesound.wav .*; the game plays on without music$' "$work/game.err" ||
        fail "$1: expected one line about the music, got: $(cat "$work/game.err")"
    echo "bad music, $1: ok"
}

mkdir "$work/empty" && : >"$work/empty/gamesound.wav" && try empty
# Cut inside its header (a file cut later still plays what it holds).
mkdir "$work/truncated" && head -c 30 "$good" >"$work/truncated/gamesound.wav" && try truncated
mkdir "$work/not-a-wav" && printf 'RIFF but not really a wave file\n%.0s' $(seq 200) >"$work/not-a-wav/gamesound.wav" && try not-a-wav
# A 4 GiB file of nothing (sparse, so it costs no disk).
mkdir "$work/huge" && truncate -s 4G "$work/huge/gamesound.wav" && try huge
mkdir -p "$work/folder/gamesound.wav" && try folder
