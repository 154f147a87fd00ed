#!/usr/bin/env bash
# Desktop start-up and frame cost: launch to the first frame in the trace,
# and CPU time per frame over a few seconds of the title, on a private Xvfb
# screen, in a folder without music. With the sound left as the machine has
# it: run it on a machine without a sound device to see what that costs.
#   bench/desktop_startup.sh [BINARY] [RUNS]     (default build/default/brightwicket, 7)
# Prints each run and the medians.
set -u
binary=$(realpath "${1:-build/default/brightwicket}")
runs=${2:-7}
work=$(mktemp -d "${TMPDIR:-/tmp}/bw-startup.XXXXXX")
xvfb_pid="" game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -noreset -screen 0 1280x720x24 -nolisten tcp +extension GLX 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"

# CPU time of every thread of a process so far, in nanoseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{t += $1} END {print t + 0}'; }
rows() { if [ -f "$1" ]; then echo $(($(wc -l <"$1") - 1)); else echo 0; fi; }

cd "$work"
ups=() starts=() per_frame=()
for run in $(seq "$runs"); do
    rm -f trace.csv
    begin=$(date +%s%N)
    "$binary" --windowed --trace trace.csv >/dev/null 2>game.err &
    game_pid=$!
    # The header is written once the window is up, the first row after the
    # first frame.
    until [ -s trace.csv ]; do
        kill -0 "$game_pid" 2>/dev/null || { echo "the game ended early: $(cat game.err)"; exit 1; }
        sleep 0.001
    done
    header=$(( ($(date +%s%N) - begin) / 1000000 ))
    until [ "$(rows trace.csv)" -ge 1 ]; do sleep 0.001; done
    first=$(( ($(date +%s%N) - begin) / 1000000 ))
    sleep 1
    cpu0=$(cpu_ns "$game_pid") rows0=$(rows trace.csv)
    sleep 4
    cpu1=$(cpu_ns "$game_pid") rows1=$(rows trace.csv)
    kill -TERM "$game_pid" && wait "$game_pid"
    game_pid=""
    frame=$(awk -v c=$((cpu1 - cpu0)) -v n=$((rows1 - rows0)) 'BEGIN {printf "%.2f", c / n / 1e6}')
    echo "run $run: window up after $header ms, first frame after $first ms;" \
        "$frame ms of CPU per frame over $((rows1 - rows0)) frames"
    ups+=("$header") starts+=("$first") per_frame+=("$frame")
done
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
echo "median: window up after $(median "${ups[@]}") ms, first frame after $(median "${starts[@]}") ms," \
    "$(median "${per_frame[@]}") ms of CPU per frame"
