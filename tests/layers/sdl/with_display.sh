#!/usr/bin/env bash
# with_display.sh PROGRAM ARGS...: runs a test program on a private Xvfb
# display of its own, numbered by Xvfb itself (-displayfd), so that tests
# started together never race for one; -noreset keeps the server up between
# connections. Skips (77) without Xvfb.
set -u
command -v Xvfb >/dev/null 2>&1 || { echo "SKIP: no Xvfb (scripts/install-deps --test)"; exit 77; }
work=$(mktemp -d "${TMPDIR:-/tmp}/bw-display.XXXXXX")
Xvfb -displayfd 3 -noreset -screen 0 1600x900x24 -nolisten tcp +extension GLX 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill -TERM "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 300); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { echo "FAIL: Xvfb did not start"; exit 1; }
    sleep 0.1
done
[ -s "$work/display" ] || { echo "FAIL: Xvfb gave no display within 30 s"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
# X, D-Bus and GL keep allocations no stack can name: leaks are left to the
# tests without a display.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$@"
