#!/usr/bin/env bash
# Hostile music files each leave the game silent with one line saying so, the
# game playing and quitting as always; 2^31 sampler loops still play.
. "$(dirname "$0")/../../support/desktop_session.sh"

start_xvfb 640x360
wav() { # wav CHANNELS RATE [smpl|long-fmt]: 2,000 frames of 16-bit samples
    python3 - "$@" <<'PY'
import struct, sys
ch, rate, kind = int(sys.argv[1]), int(sys.argv[2]), (sys.argv[3:] or [""])[0]
data = b"\0\1" * 2000 * max(ch, 1)
chunks = b"fmt " + struct.pack("<IHHIIHH", 0xFFFFFFF0 if kind == "long-fmt" else 16, 1, ch, rate, rate * ch * 2, ch * 2, 16)
if kind == "smpl":
    chunks += b"smpl" + struct.pack("<I9I6I", 60, 0, 0, 22675, 60, 0, 0, 0, 0x7FFFFFFF, 0, 0, 0, 0, 100, 0, 0)
chunks += b"data" + struct.pack("<I", len(data)) + data
open("gamesound.wav", "wb").write(b"RIFF" + struct.pack("<I", 4 + len(chunks)) + b"WAVE" + chunks)
PY
}
silent='^brightwicket: cannot play gamesound.wav: .*; the game plays on without music$'
try() { # try NAME MAKE [LINE]: with the gamesound.wav that MAKE makes, the game says LINE
    echo "bad music: $1"
    mkdir "$work/$1" && cd "$work/$1" && eval "$2" || fail "could not make $1"
    SDL_AUDIODRIVER=dummy start_game "$BW_BINARY" --windowed --trace trace.csv
    start_match trace.csv
    xdotool key Escape
    ends_within 10 0 "after Escape" "${3-$silent}"
}
try empty ': >gamesound.wav'
try cut-in-header 'head -c 30 "$BW_BUILD_DIR/gamesound.wav" >gamesound.wav'
try not-a-wav 'printf "RIFF but not really a wave file\n%.0s" $(seq 200) >gamesound.wav'
try huge-sparse 'truncate -s 4G gamesound.wav'
try folder 'mkdir gamesound.wav'
try fifo 'mkfifo gamesound.wav'
try no-channels 'wav 0 44100'
try one-hertz 'wav 1 1'
try long-fmt 'wav 2 44100 long-fmt'
try loops 'wav 2 44100 smpl' ''
