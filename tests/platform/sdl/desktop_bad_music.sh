#!/usr/bin/env bash
# Hostile music files: empty, truncated, not a WAV at all, huge, a folder or
# a FIFO where the file should be, well-formed headers with no channels, one
# frame a second or a format chunk longer than the file. Each leaves the game
# silent with one line saying so; the game plays and quits as always. A
# sampler chunk claiming 2^31 loops is no reason not to play.
. "$(dirname "$0")/desktop_session.sh"

start_xvfb 640x360
good="$BW_BUILD_DIR/gamesound.wav"
[ -f "$good" ] || fail "no built gamesound.wav at $good"

try() { # try NAME [plays]: with $work/NAME/gamesound.wav made by the caller
    cd "$work/$1"
    SDL_AUDIODRIVER=dummy start_game "$BW_BINARY" --windowed --trace trace.csv
    xdotool key Return
    wait_until 5 trace_is trace.csv matchPhase 2 || fail "$1: Enter did not start the match"
    xdotool key Escape
    exit_within 3
    [ "$game_status" = 0 ] || fail "$1: exit status $game_status"
    if [ "${2:-}" = plays ]; then
        [ ! -s "$work/game.err" ] || fail "$1: $(cat "$work/game.err")"
    else
        [ "$(wc -l <"$work/game.err")" = 1 ] &&
            grep -q '^brightwicket: cannot play gamesound.wav: .*; the game plays on without music$' "$work/game.err" ||
            fail "$1: expected one line about the music, got: $(cat "$work/game.err")"
    fi
    echo "bad music, $1: ok"
}

mkdir "$work/empty" && : >"$work/empty/gamesound.wav" && try empty
# Cut inside its header (a file cut later still plays what it holds).
mkdir "$work/truncated" && head -c 30 "$good" >"$work/truncated/gamesound.wav" && try truncated
mkdir "$work/not-a-wav" && printf 'RIFF but not really a wave file\n%.0s' $(seq 200) >"$work/not-a-wav/gamesound.wav" && try not-a-wav
# A 4 GiB file of nothing (sparse, so it costs no disk).
mkdir "$work/huge" && truncate -s 4G "$work/huge/gamesound.wav" && try huge
mkdir -p "$work/folder/gamesound.wav" && try folder
mkdir "$work/fifo" && mkfifo "$work/fifo/gamesound.wav" && try fifo
wav() { # wav NAME CHANNELS RATE [smpl|long-fmt]: 2,000 frames of 16-bit samples
    mkdir "$work/$1" && python3 - "$work/$1/gamesound.wav" "${@:2}" <<'EOF'
import struct, sys
out, ch, rate, kind = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), (sys.argv[4:] or [""])[0]
data = b"\0\1" * 2000 * max(ch, 1)
chunks = b"fmt " + struct.pack("<IHHIIHH", 0xFFFFFFF0 if kind == "long-fmt" else 16, 1, ch, rate, rate * ch * 2, ch * 2, 16)
if kind == "smpl":
    chunks += b"smpl" + struct.pack("<I9I6I", 60, 0, 0, 22675, 60, 0, 0, 0, 0x7FFFFFFF, 0, 0, 0, 0, 100, 0, 0)
chunks += b"data" + struct.pack("<I", len(data)) + data
open(out, "wb").write(b"RIFF" + struct.pack("<I", 4 + len(chunks)) + b"WAVE" + chunks)
EOF
}
wav no-channels 0 44100 && try no-channels
wav one-hertz 1 1 && try one-hertz
wav long-fmt 2 44100 long-fmt && try long-fmt
wav loops 2 44100 smpl && try loops plays
